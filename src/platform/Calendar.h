#pragma once

#include <cstdint>
#include <string>

namespace datrelle {

struct CivilDate {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to 31

    bool operator==(const CivilDate&) const = default;
};

// Counted as the regional format counts them: 0 is Monday, 6 is Sunday.
enum class Weekday { Monday = 0, Tuesday, Wednesday, Thursday, Friday, Saturday, Sunday };

struct WeekRule {
    Weekday firstDay = Weekday::Monday;
    int minDaysInFirstWeek = 4;  // 1 to 7

    bool operator==(const WeekRule&) const = default;
};

// Week 1 holds the year's first Thursday.
inline constexpr WeekRule kIsoWeeks{Weekday::Monday, 4};
// Week 1 holds 1 January, with the days of December before it.
inline constexpr WeekRule kSundayFirstJanuary{Weekday::Sunday, 1};

// A moment, in milliseconds of universal time from a fixed start (on Windows, the start
// of 1601). Only differences of two moments mean anything to the logic.
using Moment = std::int64_t;

// A moment as the clock on the wall shows it.
struct LocalTime {
    CivilDate date;
    std::int64_t millisecondOfDay = 0;
};

// The clock, its local date and the user's regional date forms.
class Calendar {
  public:
    virtual ~Calendar() = default;

    // Today's local date, by the one clock everything here reads.
    CivilDate Today() const { return LocalTimeAt(Now()).date; }

    // The date in the long and short forms of the user's regional settings, every
    // character of it, in UTF-8.
    virtual std::string LongDate(const CivilDate& date) const = 0;
    virtual std::string ShortDate(const CivilDate& date) const = 0;

    virtual Moment Now() const = 0;
    // The local date and time at a moment by the time zone's rules for that moment, so
    // a change to or from daylight saving time before then is taken into account.
    virtual LocalTime LocalTimeAt(Moment moment) const = 0;

    // The user's regional format's first day of the week and first-week rule, as it is
    // now: the user may change it while the program runs.
    virtual WeekRule RegionalWeeks() const = 0;
};

}  // namespace datrelle
