#pragma once

#include "form/Form.h"
#include "platform/Window.h"
#include "tray/SysTray.h"

// "Auto-Hide": Timer1 hides the window at its second tick after being enabled, once
// the tray icons are surely there to bring it back.

namespace datrelle {

class AutoHide {
  public:
    AutoHide(Window& window, Form& form, SharedVariables& vars, SysTray& tray)
        : window_(window), form_(form), vars_(vars), tray_(tray) {}

    // The tick of Timer1.
    void OnTimer1Tick();
    // The click of Check3: checked runs Timer1, any other state stops it.
    void OnCheck3Click();

    bool HideArmed() const { return hideArmed_; }

  private:
    Window& window_;
    Form& form_;
    SharedVariables& vars_;
    SysTray& tray_;
    bool hideArmed_ = false;
};

}  // namespace datrelle
