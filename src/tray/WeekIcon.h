#pragma once

#include <functional>
#include <optional>
#include <string_view>

#include "calendar/WeekRule.h"
#include "form/Form.h"
#include "platform/Platform.h"
#include "tray/SysTray.h"

// The week icon beside the date: today's week number by the user's rule, in the tray
// while "Show Week Icon" is checked, and the rule itself ("Week Numbers" in the menu),
// which the copy forms and the calendar number their weeks by too. The regional rule is
// the regional format's as it was last read: at start-up and at each change of it.

namespace datrelle {

// Windows 10 and 11 put a new icon behind the "^" button: the first time the week icon
// is turned on, the user is told where it went.
inline constexpr std::string_view kWeekIconText =
    "The week number is in the notification area. If you do not see it, click ^ on the "
    "taskbar and drag the week icon onto the taskbar.";

class WeekIcon {
  public:
    WeekIcon(Platform& platform, SharedVariables& vars, Form& form, SysTray& tray)
        : platform_(platform), vars_(vars), form_(form), tray_(tray) {}

    // After the settings are read: the regional rule, the menu's marks, and the icon when
    // wanted, after the two date icons. neverShown: the settings have never said whether
    // the icon is wanted, so turning it on is the user's first time.
    void Start(bool neverShown);
    // The rule weeks are numbered by now.
    WeekRule Rule() const;

    // Today may be another day: a new week shows, the same one stays as it is.
    void OnNewDay();
    // The icon is added again if it is shown: into a new taskbar, or with a new image.
    void Replace();
    // The regional format changed, and with it perhaps the regional rule: the icon is
    // added again as the date icons are.
    void OnRegionalFormatChanged();
    // "Show Week Icon" and the three rules of "Week Numbers".
    void OnShowWeekClick();
    void OnRuleClick(WeekRuleSetting setting);
    // At exit, or a start that failed.
    void Remove();

    // The rule changed: what numbers weeks elsewhere follows it.
    std::function<void(const WeekRule&)> onRuleChanged;

  private:
    void ShowMarks();
    void Add();
    void RuleChanged();

    Platform& platform_;
    SharedVariables& vars_;
    Form& form_;
    SysTray& tray_;
    WeekRule regional_ = kIsoWeeks;
    // The week the icon in the tray shows; none while no icon is there.
    std::optional<WeekNumber> shown_;
    bool neverShown_ = false;
};

}  // namespace datrelle
