#include "tray/TrayMouse.h"

#include <utility>

namespace datrelle {

void TrayMouse::OnNotification(const TrayNotification& notification) {
    switch (notification.event) {
        case kMouseLeftButtonDown:
            rightPressPending_ = false;
            break;
        case kMouseLeftButtonUp:
            rightPressPending_ = false;
            OnLeftClick(notification);
            break;
        case kMouseLeftButtonDoubleClick:
            rightPressPending_ = false;
            afterDoubleClick_ = true;
            BringUpWindow();
            break;
        case kMouseRightButtonDown:
            // Before the menu opens: its loop hands the click's WM_CONTEXTMENU to the
            // icon while the menu is still open.
            rightPressPending_ = true;
            (void)window_.ShowPopupMenu(std::nullopt);
            break;
        case kContextMenu:
            OnContextMenu(notification);
            break;
        case kKeySelect:
            OnKeySelect(notification);
            break;
        default:
            break;
    }
}

void TrayMouse::OnLeftClick(const TrayNotification& notification) {
    if (notification.kind != IconKind::Week) {
        CopyDate();
    } else if (!std::exchange(afterDoubleClick_, false)) {
        ToggleCalendar(notification.icon, false);
    }
}

void TrayMouse::OnKeySelect(const TrayNotification& notification) {
    const Moment now = calendar_.Now();
    if (keySelectTaken_ && now - *keySelectTaken_ < kKeySelectPair) {
        keySelectTaken_.reset();  // the pair is complete: the next one is a new key press
        return;
    }
    keySelectTaken_ = now;
    if (notification.kind == IconKind::Week) {
        ToggleCalendar(notification.icon, true);
    } else {
        CopyDate();
    }
}

void TrayMouse::OnContextMenu(const TrayNotification& notification) {
    if (std::exchange(rightPressPending_, false)) {
        return;
    }
    // From the keyboard: at the icon, wherever the pointer is, and a menu cancelled
    // leaves the user where the menu key was pressed.
    if (!window_.ShowPopupMenu(notification.anchor)) {
        tray_.GiveFocusBack(notification.icon);
    }
}

void TrayMouse::OnCalendarClick() {
    ToggleCalendar(tray_.IconWindow(IconKind::Day, vars_.CurDay), false);
}

void TrayMouse::ToggleCalendar(WindowHandle icon, bool fromKeyboard) {
    if (monthView_.IsOpen()) {
        monthView_.Close();
        return;
    }
    // A click on the icon while the calendar was open took the calendar's activation
    // before it came here: that click closed it, as it should.
    const auto lost = monthView_.LostActivationAt();
    if (lost && calendar_.Now() - *lost < kKeySelectPair) {
        return;
    }
    monthView_.Open({.today = calendar_.Today(),
                     .rule = weeks_.Rule(),
                     .icon = icon,
                     .pointer = std::nullopt,
                     .fromKeyboard = fromKeyboard});
}

void TrayMouse::CopyDate() {
    // The check mark decides, not DateFormat: the mark is what the user sees.
    if (const int checked = CheckedForm(); checked != 0 && checked != kShortDateFormat) {
        CopyToday(checked);
        return;
    }
    CopyToday(kShortDateFormat);
    form_.MnuCopyClipShort.SetChecked(true);
    vars_.DateFormat = kShortDateFormat;
}

void TrayMouse::OnCopyFormClick(int dateFormat) {
    CopyToday(dateFormat);
    for (int form = kLongDateFormat; form <= kWeekFormat; ++form) {
        FormItem(form).SetChecked(form == dateFormat);
    }
    vars_.DateFormat = static_cast<std::int16_t>(dateFormat);
}

void TrayMouse::CopyChosenDay(const CivilDate& day) {
    (void)clipboard_.SetText(DateText(CheckedForm(), day, weeks_.Rule(), calendar_));
}

// A clipboard held by another program is given up on after a short wait, and the
// user's choice of form is kept all the same: the next click simply copies again.
void TrayMouse::CopyToday(int dateFormat) {
    (void)clipboard_.SetText(DateText(dateFormat, calendar_.Today(), weeks_.Rule(), calendar_));
}

MenuItem& TrayMouse::FormItem(int dateFormat) {
    switch (dateFormat) {
        case kLongDateFormat:
            return form_.MnuCopyClipLong;
        case kIsoDateFormat:
            return form_.MnuCopyClipIso;
        case kWeekFormat:
            return form_.MnuCopyWeek;
        default:
            return form_.MnuCopyClipShort;
    }
}

int TrayMouse::CheckedForm() {
    for (int form = kLongDateFormat; form <= kWeekFormat; ++form) {
        if (FormItem(form).Checked()) {
            return form;
        }
    }
    return 0;
}

void TrayMouse::BringUpWindow() {
    if (window_.State() != kWindowNormal) {
        window_.SetVisible(true);
        window_.SetState(kWindowNormal);
    } else {
        window_.SetState(kWindowMinimized);
        window_.SetVisible(true);
    }
}

}  // namespace datrelle
