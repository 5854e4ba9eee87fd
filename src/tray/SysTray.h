#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/WeekRule.h"
#include "form/Form.h"
#include "platform/Platform.h"

// Puts the day and month icons into the notification area and takes them out again.
// An icon is known to the shell by its owner window and the number 1, so each of the
// 43 picture boxes can own one icon. An icon whose picture or tooltip must change is
// deleted and added anew; only a notification at an icon is sent as a change of it.
// Every icon is asked for the shell's fourth behaviour as soon as it is added: the one
// that reports the keyboard (Enter, Space, the menu key on an icon) and shows the
// tooltip a screen reader reads.

namespace datrelle {

inline constexpr std::string_view kTooltipPrefix = "Today is: ";
inline constexpr std::string_view kNoIconMessage = "No icon specified";
// The title of every notification the program shows at its icons.
inline constexpr std::string_view kNotificationTitle = "Datrelle";

// "Today is: " and the long date, one NUL, blanks to the end of the 64-character
// field, counted in UTF-16 units. A text too long for the field is cut so that its NUL
// always fits, and never within a character.
std::string MakeTooltip(std::string_view longDate);

class SysTray {
  public:
    SysTray(Platform& platform, SharedVariables& vars) : platform_(platform), vars_(vars) {}

    // kind: 1 day icon (Picture1), 2 month icon (Picture2); below 1 counts as 1.
    void AddTrayIcon(std::int16_t kind, std::int16_t index);
    // Adds the icon of the week's number (Picture3), its tooltip naming the week and
    // its year.
    void AddWeekIcon(const WeekNumber& week);
    // Takes the icon of Picture1(index), Picture2(index) or Picture3(index) out of the tray.
    void DeleteTrayIcon(IconKind kind, int index);
    // The date the icons show, which the tooltips of icons added from now on name: the
    // one the date refresh read, so that tooltip and picture agree. Until it is set, the
    // tooltips name today's and there is none.
    void SetToday(const CivilDate& today) { today_ = today; }
    const std::optional<CivilDate>& Today() const { return today_; }
    // The window that owns the icon of Picture1(index), Picture2(index) or
    // Picture3(index); 0 when there is no such box.
    WindowHandle IconWindow(IconKind kind, int index);
    // Hands the keyboard focus back to the icon of this window, as after its menu was
    // cancelled from the keyboard. A shell that cannot do it changes nothing.
    void GiveFocusBack(WindowHandle iconWindow);

    // Shows a notification at the icon of Picture1(index) or Picture2(index): a balloon,
    // which Windows 10 and 11 show as a notification. The icon keeps its image, tooltip
    // and mouse messages, and NotifyData is left as it is. False when there is no such
    // icon or the shell refused.
    bool ShowNotification(IconKind kind, int index, std::string_view title, std::string_view text);

    const NotifyRecord& NotifyData() const { return notifyData_; }

  private:
    // The icon of the box, with the tooltip, and the shell's fourth behaviour.
    void AddIcon(const IconHolder& holder, std::string tip);

    Platform& platform_;
    SharedVariables& vars_;
    NotifyRecord notifyData_;  // lives for the run; each call sets only some fields
    std::optional<CivilDate> today_;
};

}  // namespace datrelle
