#pragma once

#include <optional>

#include "form/Form.h"
#include "platform/Calendar.h"
#include "platform/Clipboard.h"
#include "platform/Window.h"
#include "tray/SysTray.h"

// What the mouse and the keyboard do on a tray icon, whichever of the two icons it is: a
// left click, Enter or Space copies today's date, a double click brings up the window,
// the right button, Shift+F10 or the menu key opens the popup menu. Also the two copy
// commands of that menu, which choose the date form a left click copies.
//
// The icons run at the shell's fourth behaviour, which adds to the mouse messages its own
// notifications: NIN_SELECT after a left click (the click has done its work already),
// NIN_KEYSELECT for Enter and Space, sent twice for one key press by some versions of
// Windows, and WM_CONTEXTMENU for the menu key and after every right click.

namespace datrelle {

// The second NIN_KEYSELECT of one key press comes at once; a second press takes longer.
inline constexpr Moment kKeySelectPair = 500;

class TrayMouse {
  public:
    TrayMouse(Window& window, Clipboard& clipboard, const Calendar& calendar, Form& form,
              SharedVariables& vars, SysTray& tray)
        : window_(window),
          clipboard_(clipboard),
          calendar_(calendar),
          form_(form),
          vars_(vars),
          tray_(tray) {}

    // A notification from either icon; an event not named above is ignored.
    void OnNotification(const TrayNotification& notification);

    // The clicks of MnuCopyClipLong and MnuCopyClipShort.
    void OnCopyClipLongClick();
    void OnCopyClipShortClick();

    // Shows the window in the normal state, hidden or not. A normal window is
    // minimised first, so that it comes to the front as a restored window does.
    void BringUpWindow();

  private:
    void OnKeySelect();
    void OnContextMenu(const TrayNotification& notification);
    void CopyDate();
    void CopyLongDate();
    void CopyShortDate();

    Window& window_;
    Clipboard& clipboard_;
    const Calendar& calendar_;
    Form& form_;
    SharedVariables& vars_;
    SysTray& tray_;
    // A right button pressed whose WM_CONTEXTMENU has not come yet: that one is the
    // same click, and its menu is open already (or was).
    bool rightPressPending_ = false;
    // When the last NIN_KEYSELECT that was acted on came, until its pair has come.
    std::optional<Moment> keySelectTaken_;
};

}  // namespace datrelle
