#include "tray/DateRefresh.h"

namespace datrelle {
namespace {

// Longer than any day, with its change of clocks: the end of the search lies in a later
// day than its start.
constexpr std::int64_t kLongerThanADay = 27LL * 60 * 60 * 1000;

}  // namespace

std::int64_t MillisecondsToNextDay(const Calendar& calendar, Moment now) {
    const CivilDate today = calendar.LocalTimeAt(now).date;
    // Halving the time between a moment of today and one of a later day finds the
    // day's end to the millisecond in 27 steps, with the time zone's own answer for
    // every moment on the way: no arithmetic of offsets that a change of clocks at an
    // odd hour, or at midnight itself, could get wrong.
    Moment inToday = now;
    Moment pastToday = now + kLongerThanADay;
    while (pastToday - inToday > 1) {
        const Moment middle = inToday + (pastToday - inToday) / 2;
        if (calendar.LocalTimeAt(middle).date == today) {
            inToday = middle;
        } else {
            pastToday = middle;
        }
    }
    return pastToday - now;
}

void DateRefresh::RefreshDate() {
    const Calendar& calendar = platform_.calendar;
    const Moment now = calendar.Now();
    const CivilDate today = calendar.LocalTimeAt(now).date;

    // The whole date is compared, not only the day: after a sleep from 5 January to
    // 5 February the month icon must change too, and the tooltip names the year.
    if (tray_.Today() != today) {
        tray_.SetToday(today);
        tray_.DeleteTrayIcon(IconKind::Day, vars_.CurDay);
        tray_.DeleteTrayIcon(IconKind::Month, vars_.CurMonth);
        tray_.AddTrayIcon(1, static_cast<std::int16_t>(today.day));
        tray_.AddTrayIcon(2, static_cast<std::int16_t>(today.month));
        if (check2_.Value() == CheckBox::kUnchecked) {
            tray_.DeleteTrayIcon(IconKind::Month, vars_.CurMonth);
        }
        if (onNewDate) {
            onNewDate(today);
        }
    }
    // From the clock as it is now: a refresh after the clock, the time zone or the
    // daylight saving time changed, or after a sleep, arms the wake-up anew.
    newDayTimer_.Restart(static_cast<int>(MillisecondsToNextDay(calendar, now)));
}

void DateRefresh::OnCheck2Click() {
    if (check2_.Value() == CheckBox::kChecked) {
        tray_.AddTrayIcon(2, vars_.CurMonth);
    } else {
        tray_.DeleteTrayIcon(IconKind::Month, vars_.CurMonth);
    }
}

void DateRefresh::ReplaceShownIcons() {
    // Deleting an icon the shell no longer has fails harmlessly.
    tray_.DeleteTrayIcon(IconKind::Day, vars_.CurDay);
    tray_.DeleteTrayIcon(IconKind::Month, vars_.CurMonth);
    if (vars_.CurDay != 0) {
        tray_.AddTrayIcon(1, vars_.CurDay);
    }
    // As the refresh leaves it: shown at every state but unchecked.
    if (vars_.CurMonth != 0 && check2_.Value() != CheckBox::kUnchecked) {
        tray_.AddTrayIcon(2, vars_.CurMonth);
    }
}

}  // namespace datrelle
