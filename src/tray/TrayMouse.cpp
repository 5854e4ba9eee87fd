#include "tray/TrayMouse.h"

namespace datrelle {

void TrayMouse::OnMouse(int mouseMessage) {
    switch (mouseMessage) {
        case kMouseLeftButtonUp:
            CopyDate();
            break;
        case kMouseLeftButtonDoubleClick:
            BringUpWindow();
            break;
        case kMouseRightButtonDown:
            window_.ShowPopupMenu();
            break;
        default:
            break;
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
