#pragma once

#include <windows.h>

#include <optional>

#include "calendar/CalendarLayout.h"
#include "calendar/MonthCalendar.h"
#include "platform/Calendar.h"
#include "platform/MonthView.h"
#include "win32/CalendarPainter.h"

// The month calendar: a small top-level popup of the class "DatrelleCalendar" beside the
// tray, owned by the program's main window, with no taskbar button. It holds the
// calendar's state (MonthCalendar), turns keys, clicks and the wheel into its calls and
// draws it. Its text is always the selected day's long date, which screen readers read.
// It closes on Esc, after Enter or a double click on a day, and when it loses
// activation; closing it ends nothing else. Nothing of it is made before it first opens.

namespace datrelle::win32 {

class MonthCalendarWindow : public MonthView {
  public:
    // calendar writes the long date of the window's text; it and the owner outlive this.
    explicit MonthCalendarWindow(const Calendar& calendar) : calendar_(calendar) {}
    MonthCalendarWindow(HINSTANCE instance, HWND owner, const Calendar& calendar)
        : MonthCalendarWindow(calendar) {
        Attach(instance, owner);
    }
    // The program's window, which owns the popup, as soon as it exists.
    void Attach(HINSTANCE instance, HWND owner) {
        instance_ = instance;
        owner_ = owner;
    }
    ~MonthCalendarWindow() override;
    MonthCalendarWindow(const MonthCalendarWindow&) = delete;
    MonthCalendarWindow& operator=(const MonthCalendarWindow&) = delete;

    bool IsOpen() const override { return window_ != nullptr; }
    void Open(const MonthViewOpening& opening) override;
    void Close() override;
    void SetToday(const CivilDate& today) override;
    void SetRule(const WeekRule& rule) override;
    std::optional<Moment> LostActivationAt() const override { return lostActivationAt_; }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    void Place();
    void BringForward();
    void OnKey(WPARAM key);
    void OnClick(int x, int y, bool twice);
    void OnWheel(int delta);
    void OnPaint();
    void OnDpiChanged();
    // The selection or the month moved: the text follows, and the picture.
    void Changed();
    // The selected day goes to onChosen, and the calendar closes.
    void Choose();

    HINSTANCE instance_ = nullptr;
    HWND owner_ = nullptr;
    const Calendar& calendar_;
    HWND window_ = nullptr;
    int dpi_ = USER_DEFAULT_SCREEN_DPI;
    std::optional<MonthCalendar> model_;
    PopupAnchor anchor_;
    CalendarPainter painter_;
    // The day of the last press of the button and its cell: the second click of a double
    // click means that day, also when the first one brought its month into view.
    std::optional<std::pair<CalendarHit, CivilDate>> pressed_;
    int wheel_ = 0;  // the wheel's turn not yet worth a month
    std::optional<Moment> lostActivationAt_;
};

}  // namespace datrelle::win32
