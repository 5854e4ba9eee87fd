#include "tray/AutoHide.h"

namespace datrelle {

void AutoHide::OnTimer1Tick() {
    if (!hideArmed_) {
        hideArmed_ = true;
        return;
    }
    // A hidden window can only be brought back through an icon, so any icon the shell
    // refused earlier is offered again; icons already shown stay as they are.
    if (vars_.CurDay != 0) {
        tray_.AddTrayIcon(1, vars_.CurDay);
    }
    if (vars_.CurMonth != 0) {
        tray_.AddTrayIcon(2, vars_.CurMonth);
    }
    // With no month known yet (CurMonth 0) this names no icon and sends nothing.
    if (form_.Check2.Value() == CheckBox::kUnchecked) {
        tray_.DeleteTrayIcon(IconKind::Month, vars_.CurMonth);
    }
    window_.SetVisible(false);
    hideArmed_ = false;
    form_.Timer1.SetEnabled(false);
}

void AutoHide::OnCheck3Click() {
    form_.Timer1.SetEnabled(form_.Check3.Value() == CheckBox::kChecked);
}

}  // namespace datrelle
