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
};

}  // namespace datrelle
