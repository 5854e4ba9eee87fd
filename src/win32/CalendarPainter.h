#pragma once

#include <windows.h>

#include "calendar/CalendarLayout.h"
#include "calendar/MonthCalendar.h"
#include "win32/Unique.h"

// Draws the month calendar with GDI in the system's colours and its message font: the
// month and year in the regional format between two month buttons, the weekday
// abbreviations, the week numbers on a column of their own, the days of the neighbouring
// months dimmed, today framed and the selected day highlighted.

namespace datrelle::win32 {

class CalendarPainter {
  public:
    // The fonts for this DPI; until made, the system's default font is used.
    void MakeFonts(int dpi);
    // The whole client area, first into a bitmap of its own and then onto the target at
    // once, so nothing flickers.
    void Paint(HDC target, const CalendarLayout& layout, const MonthCalendar& calendar) const;

  private:
    void Draw(HDC dc, const CalendarLayout& layout, const MonthCalendar& calendar) const;
    void DrawDays(HDC dc, const CalendarLayout& layout, const MonthCalendar& calendar) const;

    UniqueFont font_;
    UniqueFont boldFont_;
};

}  // namespace datrelle::win32
