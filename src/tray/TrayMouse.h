#pragma once

#include "form/Form.h"
#include "platform/Calendar.h"
#include "platform/Clipboard.h"
#include "platform/Window.h"

// What the mouse does on a tray icon, whichever of the two icons it is: a left click
// copies today's date, a double click brings up the window, the right button opens
// the popup menu. Also the two copy commands of that menu, which choose the date form
// a left click copies.

namespace datrelle {

// The mouse message numbers the shell passes in a tray notification's lParam.
inline constexpr int kMouseLeftButtonUp = 514;
inline constexpr int kMouseLeftButtonDoubleClick = 515;
inline constexpr int kMouseRightButtonDown = 516;

class TrayMouse {
  public:
    TrayMouse(Window& window, Clipboard& clipboard, const Calendar& calendar, Form& form,
              SharedVariables& vars)
        : window_(window), clipboard_(clipboard), calendar_(calendar), form_(form), vars_(vars) {}

    // A notification from either icon; every mouse message but the three above is
    // ignored.
    void OnMouse(int mouseMessage);

    // The clicks of MnuCopyClipLong and MnuCopyClipShort.
    void OnCopyClipLongClick();
    void OnCopyClipShortClick();

    // Shows the window in the normal state, hidden or not. A normal window is
    // minimised first, so that it comes to the front as a restored window does.
    void BringUpWindow();

  private:
    void CopyDate();
    void CopyLongDate();
    void CopyShortDate();

    Window& window_;
    Clipboard& clipboard_;
    const Calendar& calendar_;
    Form& form_;
    SharedVariables& vars_;
};

}  // namespace datrelle
