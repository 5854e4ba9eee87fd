#include "calendar/WeekRule.h"

#include <algorithm>

namespace datrelle {
namespace {

// Days from 1 March of the year 0, and back: the arithmetic of 400-year cycles, with years
// that start on 1 March so that the leap day comes last. Right from 1 January of the year 1.
int DayNumber(const CivilDate& date) {
    const int year = date.month <= 2 ? date.year - 1 : date.year;
    const int dayOfYear = (153 * ((date.month + 9) % 12) + 2) / 5 + date.day - 1;
    return year * 365 + year / 4 - year / 100 + year / 400 + dayOfYear;
}

CivilDate DateOfDayNumber(int dayNumber) {
    const int era = dayNumber / 146097;
    const int dayOfEra = dayNumber - era * 146097;
    const int yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    const int year = era * 400 + yearOfEra + (month <= 2 ? 1 : 0);
    return {year, month, dayOfYear - (153 * monthFromMarch + 2) / 5 + 1};
}

// 1 March of the year 0 was a Wednesday, index 2.
int WeekdayIndex(int dayNumber) {
    return (dayNumber + 2) % 7;
}

std::string Padded(int value, std::size_t width) {
    std::string text = std::to_string(value);
    return std::string(width - std::min(width, text.size()), '0') + text;
}

}  // namespace

WeekRule RegionalWeekRule(int firstDayOfWeek, int firstWeekOfYear) {
    WeekRule rule = kIsoWeeks;
    if (firstDayOfWeek > 0 && firstDayOfWeek < 7) {
        rule.firstDay = static_cast<Weekday>(firstDayOfWeek);
    }
    static constexpr int kMinDays[] = {1, 7, 4};
    if (firstWeekOfYear >= 0 && firstWeekOfYear <= 2) {
        rule.minDaysInFirstWeek = kMinDays[firstWeekOfYear];
    }
    return rule;
}

WeekRuleSetting WeekRuleSettingOf(int stored) {
    return stored == 1 || stored == 2 ? static_cast<WeekRuleSetting>(stored)
                                      : WeekRuleSetting::Regional;
}

WeekRule ChosenRule(WeekRuleSetting setting, const WeekRule& regional) {
    switch (setting) {
        case WeekRuleSetting::Iso:
            return kIsoWeeks;
        case WeekRuleSetting::SundayFirstJanuary:
            return kSundayFirstJanuary;
        default:
            return regional;
    }
}

Weekday DayOfWeek(const CivilDate& date) {
    return static_cast<Weekday>(WeekdayIndex(DayNumber(date)));
}

CivilDate AddDays(const CivilDate& date, int days) {
    return DateOfDayNumber(DayNumber(date) + days);
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) {
        return 0;
    }
    const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
    return month == 2 && leap ? 29 : kDays[month - 1];
}

WeekNumber WeekOf(const CivilDate& date, const WeekRule& rule) {
    const int minDays = std::clamp(rule.minDaysInFirstWeek, 1, 7);
    const int dayNumber = DayNumber(date);
    const int intoWeek = (WeekdayIndex(dayNumber) - static_cast<int>(rule.firstDay) + 7) % 7;
    // The deciding days of all weeks are seven days apart, so the year's first one falls
    // on one of its first seven days and is in week 1.
    const int decidingDay = dayNumber - intoWeek + 7 - minDays;
    const int year = DateOfDayNumber(decidingDay).year;
    return {year, (decidingDay - DayNumber({year, 1, 1})) / 7 + 1};
}

std::string IsoDate(const CivilDate& date) {
    return Padded(date.year, 4) + '-' + Padded(date.month, 2) + '-' + Padded(date.day, 2);
}

std::string WeekCode(const WeekNumber& week) {
    return Padded(week.year, 4) + "-W" + Padded(week.week, 2);
}

std::string WeekTooltip(const WeekNumber& week) {
    return "Week " + std::to_string(week.week) + ", " + std::to_string(week.year);
}

}  // namespace datrelle
