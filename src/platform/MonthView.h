#pragma once

#include <functional>
#include <optional>

#include "platform/Calendar.h"
#include "platform/Handles.h"
#include "platform/Window.h"

// The month calendar's window as the logic sees it: one small popup beside the tray
// that shows the month around a day with its week numbers, moved by the keyboard, the
// mouse and the wheel. It decides nothing about copying: it hands the chosen day back.

namespace datrelle {

struct MonthViewOpening {
    CivilDate today;
    WeekRule rule;
    // The owner window of the tray icon it was opened from; opened from the menu, the
    // day icon's. 0: none, the pointer or the corner serve.
    WindowHandle icon = 0;
    // Where the mouse pointer is, when the caller knows it.
    std::optional<ScreenPoint> pointer;
    // Opened by a key: without the icon's place, the corner next to the notification
    // area, not the pointer.
    bool fromKeyboard = false;
};

class MonthView {
  public:
    virtual ~MonthView() = default;

    virtual bool IsOpen() const = 0;
    // Opens on today, selected; while open, only brings it forward. A second click on
    // its icon toggling it is the caller's: Close() when IsOpen().
    virtual void Open(const MonthViewOpening& opening) = 0;
    virtual void Close() = 0;
    // A new day (midnight, a clock change, a resume): today moves, the selection stays.
    virtual void SetToday(const CivilDate& today) = 0;
    virtual void SetRule(const WeekRule& rule) = 0;
    // When it last closed because the user clicked elsewhere, by the calendar's clock.
    // A click on its tray icon closes it that way before the click itself arrives, and
    // must not open it again.
    virtual std::optional<Moment> LostActivationAt() const = 0;

    // The selected day, on Enter or a double click, just before the calendar closes.
    std::function<void(const CivilDate&)> onChosen;
};

}  // namespace datrelle
