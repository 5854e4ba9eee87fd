#pragma once

#include "platform/Window.h"

// Where each part of the month calendar sits in its window, in pixels at a DPI: the title
// row with the two month buttons at its ends, the weekday header, and six rows of seven
// days, each led by its week number in a narrow column of its own. Designed at 96 DPI
// and scaled; every edge is scaled on its own, so neighbouring cells share their edges
// at any scaling and no point falls between two cells.

namespace datrelle {

enum class CalendarPart { None, Previous, Next, Day };

struct CalendarHit {
    CalendarPart part = CalendarPart::None;
    int row = 0;     // of a Day, 0 to 5
    int column = 0;  // of a Day, 0 to 6 from the rule's first day

    bool operator==(const CalendarHit&) const = default;
};

class CalendarLayout {
  public:
    // A DPI of 0 or less is taken as 96.
    explicit CalendarLayout(int dpi);

    // The client area's size; the window's frame comes on top.
    PixelSize Size() const;
    PixelRect Title() const;
    PixelRect PreviousButton() const;
    PixelRect NextButton() const;
    PixelRect DayHeader(int column) const;
    PixelRect WeekCell(int row) const;
    PixelRect DayCell(int row, int column) const;

    // What a point of the client area is on; anything outside the buttons and the days
    // (the title, the header, the week column, the margins, points outside) is None.
    CalendarHit HitTest(int x, int y) const;

    // A length of the design, at this DPI.
    int Scaled(int designPixels) const;

  private:
    PixelRect ScaledRect(int left, int top, int right, int bottom) const;

    int dpi_;
};

}  // namespace datrelle
