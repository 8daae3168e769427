// Date and time texts of the program's date type.
#pragma once

#include <string>

#include "include/qel/DateTime.h"

namespace qel {

// The local date and time now.
QelDateTime CurrentLocalDateTime();

// "%04d.%02d.%02d" (year, month, day); "____.__.__" when not valid.
std::string FormatDateDots(const QelDateTime& date);
// "%02d.%02d.%04d" (day, month, year); "__.__.____", or "" when asked, when not valid.
std::string FormatDateDay(const QelDateTime& date, bool emptyWhenInvalid);
// "%02d:%02d:%02d" or "%02d:%02d"; "__:__:__" or "__:__" when not valid.
std::string FormatTimeColons(const QelDateTime& time, bool seconds);
// "%02d:%02d:%02d"; "__:__:__", or "" when asked, when not valid.
std::string FormatTimeOrEmpty(const QelDateTime& time, bool emptyWhenInvalid);
// Date and time in the user's locale (LC_TIME of the environment); only the
// date at midnight, only the time on day 0; "" when not valid.
std::string FormatDateTimeLocale(const QelDateTime& date);

// The status is valid and year, month and day (hour, minute, second) can be taken.
bool IsDateValid(const QelDateTime& date);
bool IsTimeValid(const QelDateTime& time);

}  // namespace qel
