#pragma once

#include <cstdint>
#include <functional>

#include "form/Form.h"
#include "platform/Platform.h"
#include "tray/SysTray.h"

// Keeps the tray showing today's date: the day icon, and the month icon while
// "Show Month Icon" wants it. The day and month come from the calendar itself, never
// from cutting the regional short date, whose order differs between countries. Besides
// the refresh once a minute, every refresh arms a wake-up for the next local midnight,
// so that the new day shows as the clock beside the icons changes.

namespace datrelle {

// Milliseconds from now until the first moment of the next local day, which is not
// always midnight (a change to daylight saving time may skip it) nor 24 hours after
// the last one.
std::int64_t MillisecondsToNextDay(const Calendar& calendar, Moment now);

class DateRefresh {
  public:
    DateRefresh(Platform& platform, SharedVariables& vars, SysTray& tray, const CheckBox& check2,
                Timer& newDayTimer)
        : platform_(platform),
          vars_(vars),
          tray_(tray),
          check2_(check2),
          newDayTimer_(newDayTimer) {}

    // Replaces the icons when the date has changed since the last refresh; on the same
    // day it touches nothing. Either way the wake-up is armed for the next midnight.
    // The clock is read once for the icons, their tooltip and the wake-up: with two
    // readings, a midnight between them would leave yesterday's icons until Timer3.
    void RefreshDate();

    // "Show Month Icon" changed: checked adds the month icon, any other state removes it.
    void OnCheck2Click();

    // The shown icons are deleted and added again: with new images after a change of
    // scaling, with a new tooltip after a change of the regional formats, and into a
    // taskbar that was created anew. Explorer announces a new taskbar also when only
    // the scaling changed and our icons are still there: an addition alone would then
    // be refused and leave the old image.
    void ReplaceShownIcons();

    // The date changed, after the day and month icons show the new one: what else shows
    // today (the week icon, the calendar) follows.
    std::function<void(const CivilDate& today)> onNewDate;

  private:
    Platform& platform_;
    SharedVariables& vars_;
    SysTray& tray_;
    const CheckBox& check2_;
    Timer& newDayTimer_;
};

}  // namespace datrelle
