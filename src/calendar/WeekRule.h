#pragma once

#include <string>

#include "platform/Calendar.h"

// Week numbers by any rule: a first day of the week and the number of days of the new
// year that its first week must hold. Computed here for every rule alike, never by a
// system or library week function: several of those disagree around New Year.

namespace datrelle {

// The rule of the regional format, from its first day of the week (0 Monday .. 6 Sunday)
// and its first-week number (0: the week holding 1 January, 1: the first full week, 2:
// the first week with four days). A number out of range takes ISO 8601's part instead.
WeekRule RegionalWeekRule(int firstDayOfWeek, int firstWeekOfYear);

// The user's choice, as the settings file stores it.
enum class WeekRuleSetting { Regional = 0, Iso = 1, SundayFirstJanuary = 2 };
// A stored number that names no choice is the regional rule.
WeekRuleSetting WeekRuleSettingOf(int stored);
WeekRule ChosenRule(WeekRuleSetting setting, const WeekRule& regional);

// Day arithmetic in the proleptic Gregorian calendar, for the years 1 to 9999.
Weekday DayOfWeek(const CivilDate& date);
CivilDate AddDays(const CivilDate& date, int days);
int DaysInMonth(int year, int month);  // 0 for a month outside 1..12

struct WeekNumber {
    int year = 0;  // the week's year, which near New Year is not always the date's
    int week = 0;  // 1 to 53

    bool operator==(const WeekNumber&) const = default;
};

// A week belongs to the year that holds its day 7 - minDaysInFirstWeek, counting its
// first day as day 0; that day is the week's place in its year.
WeekNumber WeekOf(const CivilDate& date, const WeekRule& rule);

// Texts of digits, '-', 'W' and plain words only, nothing invisible, so that they paste
// anywhere as they are.
std::string IsoDate(const CivilDate& date);       // "2026-12-08"
std::string WeekCode(const WeekNumber& week);     // "2026-W50"
std::string WeekTooltip(const WeekNumber& week);  // "Week 53, 2026"

}  // namespace datrelle
