#pragma once

#include <windows.h>

#include "form/Form.h"
#include "win32/ControlWindows.h"

// The models' side of the main window: each control model shows itself on its real
// control, each timer model runs a window timer, and each menu item model sets its
// check mark. The window's messages run the other way, into the models.

namespace datrelle::win32 {

// Window timer numbers of Timer1 to Timer3, and of the wake-up at midnight.
inline constexpr UINT_PTR kTimer1 = 1;
inline constexpr UINT_PTR kTimer2 = 2;
inline constexpr UINT_PTR kTimer3 = 3;
inline constexpr UINT_PTR kNewDayTimer = 4;

// Each control shows what its model holds now, and from then on every change. The
// window, its controls and the popup menu mnuPop must outlive the models' use of them.
void BindViews(Form& form, const ControlWindows& controls, HWND window, HMENU popup);

}  // namespace datrelle::win32
