// Values printed with a plug-in's printf format. A format is used only when
// it holds exactly one floating-point conversion (flags, width and precision
// allowed, "%%" as a literal) and nothing else that printf would read;
// anything else prints with "%.2f". 9999.0 is "no value" everywhere.
#pragma once

#include <string>

#include "include/qel/ModelTask.h"

namespace qel {

inline constexpr const char* kDefaultValueFormat = "%.2f";

inline bool HasValue(double v) { return v != kNoValue; }

// True when the format prints one double and nothing else is read.
bool IsValueFormat(const std::string& format);
// The format when it is a value format, else "%.2f".
std::string UsableValueFormat(const std::string& format);
// The value printed with the format ("%.2f" when the format is not usable).
std::string FormatValue(double value, const std::string& format);
// As FormatValue, "-" for no value.
std::string FormatValueOrDash(double value, const std::string& format);

}  // namespace qel
