// The one text form in which the databases store dates: "YYYY.MM.DD HH:MM:SS"
// (the program's date and time texts joined by a blank), to the second.
// Sorting the texts sorts the dates.
#pragma once

#include <string>
#include <string_view>

#include "include/qel/DateTime.h"

namespace qel {

// The stored text of a date; empty when the date is not valid.
std::string FormatStoredDate(const QelDateTime& date);

// The date of a stored text; a text of another form gives a date whose
// status is invalid.
QelDateTime ParseStoredDate(std::string_view text);

}  // namespace qel
