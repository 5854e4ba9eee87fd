#include "tray/DateRefresh.h"

#include <string>

namespace datrelle {

void DateRefresh::RefreshDate() {
    const std::int16_t previousDay = vars_.CurDay;
    const std::int16_t previousMonth = vars_.CurMonth;

    const CivilDate today = platform_.calendar.Today();
    vars_.DayText = std::to_string(today.day);
    vars_.MonthText = std::to_string(today.month);
    vars_.CurDay = static_cast<std::int16_t>(today.day);
    vars_.CurMonth = static_cast<std::int16_t>(today.month);

    // The whole date is compared, not only the day: after a sleep from 5 January to
    // 5 February the month icon must change too, and the tooltip names the year.
    if (shownDate_ == today) {
        return;
    }
    shownDate_ = today;

    tray_.DeleteTrayIcon(IconKind::Day, previousDay);
    tray_.DeleteTrayIcon(IconKind::Month, previousMonth);
    tray_.AddTrayIcon(1, vars_.CurDay);
    tray_.AddTrayIcon(2, vars_.CurMonth);
    if (check2_.Value() == CheckBox::kUnchecked) {
        tray_.DeleteTrayIcon(IconKind::Month, vars_.CurMonth);
    }
}

void DateRefresh::OnCheck2Click() {
    if (check2_.Value() == CheckBox::kChecked) {
        tray_.AddTrayIcon(2, vars_.CurMonth);
    } else {
        tray_.DeleteTrayIcon(IconKind::Month, vars_.CurMonth);
    }
}

void DateRefresh::AddShownIconsAgain() {
    if (vars_.CurDay != 0) {
        tray_.AddTrayIcon(1, vars_.CurDay);
    }
    // As the refresh leaves it: shown at every state but unchecked.
    if (vars_.CurMonth != 0 && check2_.Value() != CheckBox::kUnchecked) {
        tray_.AddTrayIcon(2, vars_.CurMonth);
    }
}

void DateRefresh::ReplaceShownIcons() {
    tray_.DeleteTrayIcon(IconKind::Day, vars_.CurDay);
    tray_.DeleteTrayIcon(IconKind::Month, vars_.CurMonth);
    AddShownIconsAgain();
}

}  // namespace datrelle
