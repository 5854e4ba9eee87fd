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
            CopyDate();
            break;
        case kMouseLeftButtonDoubleClick:
            rightPressPending_ = false;
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
            OnKeySelect();
            break;
        default:
            break;
    }
}

void TrayMouse::OnKeySelect() {
    const Moment now = calendar_.Now();
    if (keySelectTaken_ && now - *keySelectTaken_ < kKeySelectPair) {
        keySelectTaken_.reset();  // the pair is complete: the next one is a new key press
        return;
    }
    keySelectTaken_ = now;
    CopyDate();
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

void TrayMouse::CopyDate() {
    // The check mark decides, not DateFormat: the mark is what the user sees.
    if (form_.MnuCopyClipLong.Checked()) {
        CopyLongDate();
        return;
    }
    CopyShortDate();
    form_.MnuCopyClipShort.SetChecked(true);
    vars_.DateFormat = 2;
}

void TrayMouse::OnCopyClipLongClick() {
    CopyLongDate();
    form_.MnuCopyClipLong.SetChecked(true);
    form_.MnuCopyClipShort.SetChecked(false);
    vars_.DateFormat = 1;
}

void TrayMouse::OnCopyClipShortClick() {
    CopyShortDate();
    form_.MnuCopyClipLong.SetChecked(false);
    form_.MnuCopyClipShort.SetChecked(true);
    vars_.DateFormat = 2;
}

// A clipboard held by another program is given up on after a short wait, and the
// user's choice of form is kept all the same: the next click simply copies again.
void TrayMouse::CopyLongDate() {
    (void)clipboard_.SetText(calendar_.LongDate(calendar_.Today()));
}

void TrayMouse::CopyShortDate() {
    (void)clipboard_.SetText(calendar_.ShortDate(calendar_.Today()));
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
