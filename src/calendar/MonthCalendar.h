#pragma once

#include "calendar/MonthGrid.h"
#include "calendar/WeekRule.h"
#include "platform/Calendar.h"

// The month calendar's state, without its window: today, the selected day and the month
// shown, which is always the selected day's. The window turns keys, clicks and the wheel
// into these calls and draws Grid().

namespace datrelle {

enum class CalendarKey { Left, Right, Up, Down, PageUp, PageDown, CtrlPageUp, CtrlPageDown, Home };

// The dates the calendar reaches, those that Windows' date functions take.
inline constexpr CivilDate kFirstCalendarDate{1601, 1, 1};
inline constexpr CivilDate kLastCalendarDate{9999, 12, 31};
// A notch of an ordinary mouse wheel.
inline constexpr int kWheelNotch = 120;

class MonthCalendar {
  public:
    // Opens on today, selected.
    MonthCalendar(const CivilDate& today, const WeekRule& rule);

    // Left/Right one day, Up/Down one week, PageUp/PageDown one month, Ctrl+PageUp/
    // PageDown one year, Home today. A month or a year on keeps the day, or takes the
    // month's last day when it has fewer. True when the selection changed.
    bool OnKey(CalendarKey key);
    // A click on any cell, a dimmed day of a neighbouring month too.
    void Select(const CivilDate& date);
    // The month buttons: months on (or back, below 0) as PageDown does.
    void MoveMonths(int delta);
    // The mouse wheel, in the system's units: a month back for each 120 turned away from the
    // user, on for each 120 towards; the smaller steps of fine wheels and touchpads add up.
    // True when the selection changed.
    bool OnWheel(int wheelDelta);
    // A new day has begun; the selection stays where the user put it.
    void SetToday(const CivilDate& today);
    void SetRule(const WeekRule& rule);

    const CivilDate& Selected() const { return selected_; }
    const CivilDate& Today() const { return today_; }
    const WeekRule& Rule() const { return rule_; }
    // The shown month, laid out once for each month and rule.
    const MonthGrid& Grid() const { return grid_; }

  private:
    CivilDate today_;
    CivilDate selected_;
    WeekRule rule_;
    MonthGrid grid_;
    int wheelRest_ = 0;
};

}  // namespace datrelle
