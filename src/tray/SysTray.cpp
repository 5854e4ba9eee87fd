#include "tray/SysTray.h"

#include <utility>

#include <algorithm>
#include <string>

#include "text/Unicode.h"

namespace datrelle {

namespace {

// The text, cut where the field would leave no room for its NUL, never within a
// character.
std::string Field(std::string_view text, std::size_t units) {
    return std::string(Utf16Prefix(text, units - 1));
}

}  // namespace

std::string MakeTooltip(std::string_view longDate) {
    std::string text(kTooltipPrefix);
    text += longDate;
    std::string tip = Field(text, kTipUnits);
    const std::size_t blanks = kTipUnits - 1 - Utf16Length(tip);
    tip += '\0';
    tip.append(blanks, ' ');
    return tip;
}

void SysTray::AddTrayIcon(std::int16_t kind, std::int16_t index) {
    kind = std::max<std::int16_t>(kind, 1);
    if (index < 1 || index > 31) {
        platform_.messages.Show(kNoIconMessage);
        return;
    }
    // Only the two icon sets exist, and the month set ends at 12. Anything else would
    // send the shell the handles of an earlier icon, so nothing is sent at all.
    if (kind > 2) {
        return;
    }
    const auto iconKind = static_cast<IconKind>(kind);
    const auto holder = platform_.tray.Holder(iconKind, index);
    if (!holder) {
        return;
    }
    if (iconKind == IconKind::Day) {
        vars_.CurDay = index;
    } else {
        vars_.CurMonth = index;
    }
    const auto& calendar = platform_.calendar;
    AddIcon(*holder, MakeTooltip(calendar.LongDate(today_ ? *today_ : calendar.Today())));
}

void SysTray::AddWeekIcon(const WeekNumber& week) {
    const auto holder = platform_.tray.Holder(IconKind::Week, week.week);
    if (!holder) {
        return;
    }
    vars_.CurWeek = static_cast<std::int16_t>(week.week);
    AddIcon(*holder, Field(WeekTooltip(week), kTipUnits));
}

void SysTray::AddIcon(const IconHolder& holder, std::string tip) {
    notifyData_.hWnd = holder.window;
    notifyData_.hIcon = holder.icon;
    notifyData_.uID = kTrayIconId;
    notifyData_.uFlags = kTrayIconFlags;
    notifyData_.uCallbackMessage = kTrayCallbackMessage;
    notifyData_.szTip = std::move(tip);
    // The shell's answer changes nothing: an icon it refused is added again by the
    // next refresh, auto-hide tick or taskbar re-creation. Asked again for the version
    // also when the icon was there already: that changes nothing either.
    (void)platform_.tray.Notify(TrayCommand::Add, notifyData_);
    (void)platform_.tray.Notify(
        TrayCommand::SetVersion,
        NotifyRecord{.hWnd = holder.window, .uID = kTrayIconId, .uVersion = kTrayVersion});
}

void SysTray::DeleteTrayIcon(IconKind kind, int index) {
    // Element 0 (no day or month known yet) names no picture box: nothing to delete.
    const auto holder = platform_.tray.Holder(kind, index);
    if (!holder) {
        return;
    }
    notifyData_.uID = kTrayIconId;
    notifyData_.hWnd = holder->window;
    notifyData_.uCallbackMessage = kTrayCallbackMessage;
    // Deleting an icon that is not in the tray fails harmlessly.
    (void)platform_.tray.Notify(TrayCommand::Delete, notifyData_);
}

WindowHandle SysTray::IconWindow(IconKind kind, int index) {
    const auto holder = platform_.tray.Holder(kind, index);
    return holder ? holder->window : 0;
}

void SysTray::GiveFocusBack(WindowHandle iconWindow) {
    // Some shells (Wine's among them) have no keyboard focus in the tray and refuse.
    (void)platform_.tray.Notify(TrayCommand::SetFocus,
                                NotifyRecord{.hWnd = iconWindow, .uID = kTrayIconId});
}

bool SysTray::ShowNotification(IconKind kind, int index, std::string_view title,
                               std::string_view text) {
    const auto holder = platform_.tray.Holder(kind, index);
    if (!holder) {
        return false;
    }
    // A record of its own, which names only the notification: whatever else the icon
    // has stays as it was added.
    NotifyRecord record;
    record.hWnd = holder->window;
    record.uID = kTrayIconId;
    record.uFlags = kTrayInfoFlag;
    record.szInfoTitle = Field(title, kInfoTitleUnits);
    record.szInfo = Field(text, kInfoUnits);
    record.dwInfoFlags = kInfoIconInformation;
    return platform_.tray.Notify(TrayCommand::Modify, record);
}

}  // namespace datrelle
