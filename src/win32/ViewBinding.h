#pragma once

#include <windows.h>

#include <span>

#include "form/Bindings.h"
#include "win32/ControlWindows.h"

// The models' side of the binding table: each control shows what its model holds now and
// from then on every change (a check box its state, a button whether it is enabled and
// shown, a menu item its check mark), and each timer model runs a window timer. The
// controls' events run the other way, through the same table (form/Bindings.h).

namespace datrelle::win32 {

// The window, its controls and the popup menu mnuPop must outlive the models' use of them.
void BindViews(std::span<const Binding> bindings, const ControlWindows& controls, HWND window,
               HMENU popup);

}  // namespace datrelle::win32
