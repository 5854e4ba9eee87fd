#pragma once

#include "form/Form.h"
#include "platform/Platform.h"
#include "tray/DateRefresh.h"
#include "tray/SysTray.h"

// The top of the program: owns the window's control models and the shared variables,
// wires every control's handler to its subsystem, and runs start-up and shutdown.
// The Win32 layer turns messages into calls of these functions.

namespace datrelle {

class App {
  public:
    explicit App(Platform& platform);
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    Form& form() { return form_; }
    const SharedVariables& vars() const { return vars_; }
    const SysTray& sysTray() const { return sysTray_; }

    // The window's load handler: runs once, before the window is first shown.
    void Load();
    // The window's unload handler: every way of closing the window ends here.
    void Unload();

    // The taskbar was created anew (Explorer restarted).
    void OnTaskbarCreated();
    // The clock, the time zone or the regional date settings changed, or the machine
    // woke from sleep: today may not be the day the tray shows.
    void OnDateMayHaveChanged();
    // The icon images were reloaded at another size.
    void OnIconsReloaded();

  private:
    void WireHandlers();

    Platform& platform_;
    Form form_;
    SharedVariables vars_;
    SysTray sysTray_;
    DateRefresh dateRefresh_;
};

}  // namespace datrelle
