#pragma once

#include <string>

#include "calendar/WeekRule.h"
#include "platform/Calendar.h"

// The texts a date is copied in, by the "DATE FORMAT" number that names the choice.

namespace datrelle {

inline constexpr int kLongDateFormat = 1;
inline constexpr int kShortDateFormat = 2;
inline constexpr int kIsoDateFormat = 3;
inline constexpr int kWeekFormat = 4;

// The long or short date of the regional format, the ISO 8601 date, or the week code by
// the rule; a number that names no form (no choice made yet) gives the short date.
std::string DateText(int dateFormat, const CivilDate& date, const WeekRule& rule,
                     const Calendar& calendar);

}  // namespace datrelle
