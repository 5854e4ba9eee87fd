#pragma once

#include <optional>

#include "calendar/CopyForms.h"
#include "form/Form.h"
#include "platform/Calendar.h"
#include "platform/Clipboard.h"
#include "platform/MonthView.h"
#include "platform/Window.h"
#include "tray/SysTray.h"
#include "tray/WeekIcon.h"

// What the mouse and the keyboard do on a tray icon: on the day and the month icon a
// left click, Enter or Space copies today's date, on the week icon they open or close the
// month calendar; a double click brings up the window, the right button, Shift+F10 or the
// menu key opens the popup menu. Also the four copy commands of that menu, which choose
// the form a left click copies (the long, the short or the ISO 8601 date, or the week),
// and the menu's "Calendar".
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
              SharedVariables& vars, SysTray& tray, MonthView& monthView, const WeekIcon& weeks)
        : window_(window),
          clipboard_(clipboard),
          calendar_(calendar),
          form_(form),
          vars_(vars),
          tray_(tray),
          monthView_(monthView),
          weeks_(weeks) {}

    // A notification from either icon; an event not named above is ignored.
    void OnNotification(const TrayNotification& notification);

    // The clicks of MnuCopyClipLong (1), MnuCopyClipShort (2), MnuCopyClipIso (3) and
    // MnuCopyWeek (4): today in that form, which becomes the choice.
    void OnCopyFormClick(int dateFormat);
    // The menu's "Calendar": opened beside the day icon, or closed when it is open.
    void OnCalendarClick();
    // A day chosen in the calendar, copied in the form chosen; with none chosen, the
    // short date, and no choice is made.
    void CopyChosenDay(const CivilDate& day);

    // Shows the window in the normal state, hidden or not. A normal window is
    // minimised first, so that it comes to the front as a restored window does.
    void BringUpWindow();

  private:
    void OnLeftClick(const TrayNotification& notification);
    void OnKeySelect(const TrayNotification& notification);
    void OnContextMenu(const TrayNotification& notification);
    // Opens the calendar, or closes it when it is open; opened from the icon's window.
    void ToggleCalendar(WindowHandle icon, bool fromKeyboard);
    void CopyDate();
    void CopyToday(int dateFormat);
    // The menu item of a copy form, 1 to 4.
    MenuItem& FormItem(int dateFormat);
    // The form whose item is checked; 0 for none.
    int CheckedForm();

    Window& window_;
    Clipboard& clipboard_;
    const Calendar& calendar_;
    Form& form_;
    SharedVariables& vars_;
    SysTray& tray_;
    MonthView& monthView_;
    const WeekIcon& weeks_;
    // A double click on the week icon ends with a release, which must not reopen the
    // calendar the double click closed.
    bool afterDoubleClick_ = false;
    // A right button pressed whose WM_CONTEXTMENU has not come yet: that one is the
    // same click, and its menu is open already (or was).
    bool rightPressPending_ = false;
    // When the last NIN_KEYSELECT that was acted on came, until its pair has come.
    std::optional<Moment> keySelectTaken_;
};

}  // namespace datrelle
