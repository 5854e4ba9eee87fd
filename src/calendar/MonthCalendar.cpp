#include "calendar/MonthCalendar.h"

#include <algorithm>
#include <tuple>

namespace datrelle {
namespace {

bool Before(const CivilDate& a, const CivilDate& b) {
    return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}

CivilDate InRange(const CivilDate& date) {
    if (Before(date, kFirstCalendarDate)) {
        return kFirstCalendarDate;
    }
    return Before(kLastCalendarDate, date) ? kLastCalendarDate : date;
}

CivilDate MonthsOn(const CivilDate& date, int delta) {
    // Counted in 64 bits, so that no delta overflows, and kept to the calendar's months.
    const long long months =
        std::clamp(date.year * 12LL + date.month - 1 + delta, kFirstCalendarDate.year * 12LL,
                   kLastCalendarDate.year * 12LL + 11);
    const int year = static_cast<int>(months / 12);
    const int month = static_cast<int>(months % 12) + 1;
    return {year, month, std::min(date.day, DaysInMonth(year, month))};
}

}  // namespace

MonthCalendar::MonthCalendar(const CivilDate& today, const WeekRule& rule)
    : today_(today), selected_(InRange(today)), rule_(rule) {
    grid_ = LayoutMonth(selected_.year, selected_.month, rule_);
}

bool MonthCalendar::OnKey(CalendarKey key) {
    const CivilDate before = selected_;
    switch (key) {
        case CalendarKey::Left:
            Select(AddDays(selected_, -1));
            break;
        case CalendarKey::Right:
            Select(AddDays(selected_, 1));
            break;
        case CalendarKey::Up:
            Select(AddDays(selected_, -7));
            break;
        case CalendarKey::Down:
            Select(AddDays(selected_, 7));
            break;
        case CalendarKey::PageUp:
            MoveMonths(-1);
            break;
        case CalendarKey::PageDown:
            MoveMonths(1);
            break;
        case CalendarKey::CtrlPageUp:
            MoveMonths(-12);
            break;
        case CalendarKey::CtrlPageDown:
            MoveMonths(12);
            break;
        case CalendarKey::Home:
            Select(today_);
            break;
    }
    return selected_ != before;
}

void MonthCalendar::Select(const CivilDate& date) {
    selected_ = InRange(date);
    if (!grid_.InMonth(selected_)) {
        grid_ = LayoutMonth(selected_.year, selected_.month, rule_);
    }
}

void MonthCalendar::MoveMonths(int delta) {
    Select(MonthsOn(selected_, delta));
}

bool MonthCalendar::OnWheel(int wheelDelta) {
    const CivilDate before = selected_;
    wheelRest_ += wheelDelta;
    const int notches = wheelRest_ / kWheelNotch;
    wheelRest_ -= notches * kWheelNotch;
    MoveMonths(-notches);
    return selected_ != before;
}

void MonthCalendar::SetToday(const CivilDate& today) {
    today_ = today;
}

void MonthCalendar::SetRule(const WeekRule& rule) {
    if (rule != rule_) {
        rule_ = rule;
        grid_ = LayoutMonth(selected_.year, selected_.month, rule_);
    }
}

}  // namespace datrelle
