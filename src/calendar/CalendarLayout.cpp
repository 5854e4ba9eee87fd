#include "calendar/CalendarLayout.h"

namespace datrelle {
namespace {

// The design at 96 DPI. The cells are wide enough for the abbreviated weekday names of
// the common regional formats at the system's message font.
constexpr int kMargin = 6;
constexpr int kTitleHeight = 30;
constexpr int kHeaderHeight = 24;
constexpr int kRowHeight = 24;
constexpr int kWeekWidth = 30;
constexpr int kWeekGap = 4;
constexpr int kDayWidth = 34;

constexpr int kDaysLeft = kMargin + kWeekWidth + kWeekGap;
constexpr int kDaysRight = kDaysLeft + 7 * kDayWidth;
constexpr int kHeaderTop = kMargin + kTitleHeight;
constexpr int kRowsTop = kHeaderTop + kHeaderHeight;
constexpr int kRowsBottom = kRowsTop + 6 * kRowHeight;

bool Inside(const PixelRect& rect, int x, int y) {
    return x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
}

}  // namespace

CalendarLayout::CalendarLayout(int dpi) : dpi_(dpi > 0 ? dpi : 96) {}

int CalendarLayout::Scaled(int designPixels) const {
    return (designPixels * dpi_ + 48) / 96;
}

PixelRect CalendarLayout::ScaledRect(int left, int top, int right, int bottom) const {
    return {Scaled(left), Scaled(top), Scaled(right), Scaled(bottom)};
}

PixelSize CalendarLayout::Size() const {
    return {Scaled(kDaysRight + kMargin), Scaled(kRowsBottom + kMargin)};
}

PixelRect CalendarLayout::Title() const {
    return ScaledRect(kMargin + kTitleHeight, kMargin, kDaysRight - kTitleHeight, kHeaderTop);
}

PixelRect CalendarLayout::PreviousButton() const {
    return ScaledRect(kMargin, kMargin, kMargin + kTitleHeight, kHeaderTop);
}

PixelRect CalendarLayout::NextButton() const {
    return ScaledRect(kDaysRight - kTitleHeight, kMargin, kDaysRight, kHeaderTop);
}

PixelRect CalendarLayout::DayHeader(int column) const {
    const int left = kDaysLeft + column * kDayWidth;
    return ScaledRect(left, kHeaderTop, left + kDayWidth, kRowsTop);
}

PixelRect CalendarLayout::WeekCell(int row) const {
    const int top = kRowsTop + row * kRowHeight;
    return ScaledRect(kMargin, top, kMargin + kWeekWidth, top + kRowHeight);
}

PixelRect CalendarLayout::DayCell(int row, int column) const {
    const int left = kDaysLeft + column * kDayWidth;
    const int top = kRowsTop + row * kRowHeight;
    return ScaledRect(left, top, left + kDayWidth, top + kRowHeight);
}

CalendarHit CalendarLayout::HitTest(int x, int y) const {
    if (Inside(PreviousButton(), x, y)) {
        return {CalendarPart::Previous};
    }
    if (Inside(NextButton(), x, y)) {
        return {CalendarPart::Next};
    }
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 7; ++column) {
            if (Inside(DayCell(row, column), x, y)) {
                return {CalendarPart::Day, row, column};
            }
        }
    }
    return {};
}

}  // namespace datrelle
