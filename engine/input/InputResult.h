// Result codes of the input device layer (32-bit, 0 = success) and their
// names, shown under the failed step in the operator's messages.
#pragma once

#include <cstdint>
#include <string>

namespace qel {

using InputResult = int32_t;

constexpr InputResult kInputOk = 0;
// Refused without a message: no device layer, or an index not in the list.
constexpr InputResult kInputRefused = 1;
constexpr InputResult kInputNotInitialized = static_cast<int32_t>(0x80070015u);  // device system not up
constexpr InputResult kInputNoDisplay = static_cast<int32_t>(0x8007001Fu);       // no X display
constexpr InputResult kInputInputLost = static_cast<int32_t>(0x8007001Eu);
constexpr InputResult kInputDeviceNotFound = static_cast<int32_t>(0x80040154u);  // not attached any more
constexpr InputResult kInputUnplugged = static_cast<int32_t>(0x80040209u);       // went away while in use
constexpr InputResult kInputUnsupported = static_cast<int32_t>(0x80004001u);
constexpr InputResult kInputFailed = static_cast<int32_t>(0x80004005u);  // the device system refused

// "INPUT_E_UNPLUGGED" and the like; unknown codes as "0x%08X".
std::string InputErrorName(InputResult result);

// "<name>" or "<name>: <detail>" (detail: the device system's own text).
std::string InputErrorText(InputResult result, const std::string& detail);

// "<step>\n<name[: detail]>": a failed step as the operator sees it.
std::string InputStepMessage(const std::string& step, InputResult result, const std::string& detail);

}  // namespace qel
