#include "win32/ViewBinding.h"

#include "resource.h"

namespace datrelle::win32 {
namespace {

void BindControls(Form& form, const ControlWindows& controls) {
    for (const ControlEntry& entry : VisibleControls()) {
        const HWND control = controls.Get(entry.id);
        if (CheckBox* box = form.CheckBoxFor(entry.id)) {
            box->onShow = [control, box] {
                SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(box->Value()), 0);
            };
            box->onShow();
        } else if (CommandButton* button = form.ButtonFor(entry.id)) {
            button->onShow = [control, button] {
                EnableWindow(control, button->Enabled());
                ShowWindow(control, button->Visible() ? SW_SHOWNA : SW_HIDE);
            };
            button->onShow();
        }
    }
}

void BindTimer(Timer& timer, HWND window, UINT_PTR id) {
    timer.onShow = [window, &timer, id] {
        // An interval of 0 never fires; SetTimer would take it as its shortest.
        // SetTimer fails only when the system is out of timers, and KillTimer when
        // the timer was not running: neither leaves anything to undo.
        if (timer.Running()) {
            SetTimer(window, id, static_cast<UINT>(timer.Interval()), nullptr);
        } else {
            KillTimer(window, id);
        }
    };
    timer.onShow();
}

void BindMenuItem(MenuItem& item, HMENU popup, UINT id) {
    item.onShow = [popup, &item, id] {
        // Fails only for an item the menu does not have; these are its own.
        CheckMenuItem(popup, id, MF_BYCOMMAND | (item.Checked() ? MF_CHECKED : MF_UNCHECKED));
    };
    item.onShow();
}

}  // namespace

void BindViews(Form& form, const ControlWindows& controls, HWND window, HMENU popup) {
    BindControls(form, controls);
    BindTimer(form.Timer1, window, kTimer1);
    BindTimer(form.Timer2, window, kTimer2);
    BindTimer(form.Timer3, window, kTimer3);
    BindTimer(form.NewDayTimer, window, kNewDayTimer);
    BindMenuItem(form.mnuAutoApp, popup, IDM_AUTO_APP);
    BindMenuItem(form.MnuCopyClipLong, popup, IDM_COPY_CLIP_LONG);
    BindMenuItem(form.MnuCopyClipShort, popup, IDM_COPY_CLIP_SHORT);
}

}  // namespace datrelle::win32
