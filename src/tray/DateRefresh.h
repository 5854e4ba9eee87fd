#pragma once

#include <optional>

#include "form/Form.h"
#include "platform/Platform.h"
#include "tray/SysTray.h"

// Keeps the tray showing today's date: the day icon, and the month icon while
// "Show Month Icon" wants it. The day and month come from the calendar itself, never
// from cutting the regional short date, whose order differs between countries.

namespace datrelle {

class DateRefresh {
  public:
    DateRefresh(Platform& platform, SharedVariables& vars, SysTray& tray, const CheckBox& check2)
        : platform_(platform), vars_(vars), tray_(tray), check2_(check2) {}

    // Replaces the icons when the date has changed since the last refresh; on the same
    // day it touches nothing.
    void RefreshDate();

    // "Show Month Icon" changed: checked adds the month icon, any other state removes it.
    void OnCheck2Click();

    // The taskbar was created anew (Explorer restarted) and has forgotten our icons.
    void AddShownIconsAgain();

    // The icon images changed (a new DPI): the shown icons are replaced.
    void ReplaceShownIcons();

  private:
    Platform& platform_;
    SharedVariables& vars_;
    SysTray& tray_;
    const CheckBox& check2_;
    std::optional<CivilDate> shownDate_;
};

}  // namespace datrelle
