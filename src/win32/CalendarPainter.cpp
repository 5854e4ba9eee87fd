#include "win32/CalendarPainter.h"

#include <string>

namespace datrelle::win32 {
namespace {

using UniqueBitmap = Unique<HBITMAP, GdiDeleter>;

struct DcDeleter {
    void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};
using UniqueDc = Unique<HDC, DcDeleter>;

RECT Win32Rect(const PixelRect& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

void Fill(HDC dc, const PixelRect& rect, int colour) {
    const RECT area = Win32Rect(rect);
    FillRect(dc, &area, GetSysColorBrush(colour));
}

PixelRect Inset(const PixelRect& rect, int by) {
    return {rect.left + by, rect.top + by, rect.right - by, rect.bottom - by};
}

// A frame of the thickness inside the rectangle.
void Frame(HDC dc, const PixelRect& rect, int thickness, int colour) {
    const auto [left, top, right, bottom] = rect;
    Fill(dc, {left, top, right, top + thickness}, colour);
    Fill(dc, {left, bottom - thickness, right, bottom}, colour);
    Fill(dc, {left, top, left + thickness, bottom}, colour);
    Fill(dc, {right - thickness, top, right, bottom}, colour);
}

// A space of the regional format that the font has no glyph for becomes a plain one, not
// a box: Wine's formats put narrow no-break spaces in dates, which its fonts lack.
std::wstring Drawable(HDC dc, std::wstring text) {
    for (wchar_t& c : text) {
        const bool space = c == 0x00A0 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F ||
                           c == 0x205F || c == 0x3000;
        WORD glyph = 0;
        if (space && GetGlyphIndicesW(dc, &c, 1, &glyph, GGI_MARK_NONEXISTING_GLYPHS) == 1 &&
            glyph == 0xFFFF) {
            c = L' ';
        }
    }
    return text;
}

void Text(HDC dc, const std::wstring& shown, const PixelRect& rect, int colour) {
    const std::wstring text = Drawable(dc, shown);
    RECT area = Win32Rect(rect);
    SetTextColor(dc, GetSysColor(colour));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// The month and year as the regional format writes them together ("December 2026").
std::wstring MonthTitle(int year, int month) {
    const SYSTEMTIME first{static_cast<WORD>(year), static_cast<WORD>(month), 0, 1, 0, 0, 0, 0};
    wchar_t text[128] = L"";
    if (GetDateFormatW(LOCALE_USER_DEFAULT, DATE_YEARMONTH, &first, nullptr, text, 128) > 0) {
        return text;
    }
    // A format the system cannot write still names the month.
    return std::to_wstring(year) + (month < 10 ? L"-0" : L"-") + std::to_wstring(month);
}

std::wstring WeekdayAbbreviation(Weekday day) {
    // The names run from Monday, as the weekdays here do.
    const auto type = static_cast<LCTYPE>(LOCALE_SABBREVDAYNAME1 + static_cast<int>(day));
    wchar_t text[80] = L"";
    return GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, 80) > 0 ? text : L"";
}

// An arrow of the month buttons: a triangle pointing left or right in the middle.
void Arrow(HDC dc, const PixelRect& button, int half, bool left) {
    const int x = (button.left + button.right) / 2, y = (button.top + button.bottom) / 2;
    const int tip = left ? x - half / 2 : x + half / 2, back = left ? x + half / 2 : x - half / 2;
    const POINT points[] = {{tip, y}, {back, y - half}, {back, y + half}};
    SelectObject(dc, GetStockObject(NULL_PEN));
    SelectObject(dc, GetSysColorBrush(COLOR_WINDOWTEXT));
    Polygon(dc, points, 3);
}

}  // namespace

void CalendarPainter::MakeFonts(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                    static_cast<UINT>(dpi))) {
        // The face of the system's font, at 9 points.
        metrics.lfMessageFont = LOGFONTW{};
        metrics.lfMessageFont.lfHeight = -MulDiv(9, dpi, 72);
        metrics.lfMessageFont.lfCharSet = DEFAULT_CHARSET;
    }
    LOGFONTW font = metrics.lfMessageFont;
    font_.reset(CreateFontIndirectW(&font));
    font.lfWeight = FW_BOLD;
    boldFont_.reset(CreateFontIndirectW(&font));
}

void CalendarPainter::Paint(HDC target, const CalendarLayout& layout,
                            const MonthCalendar& calendar) const {
    const PixelSize size = layout.Size();
    const UniqueDc buffer(CreateCompatibleDC(target));
    const UniqueBitmap bitmap(CreateCompatibleBitmap(target, size.width, size.height));
    if (!buffer || !bitmap) {
        Draw(target, layout, calendar);  // out of GDI resources: straight onto the window
        return;
    }
    const HGDIOBJ previous = SelectObject(buffer.get(), bitmap.get());
    Draw(buffer.get(), layout, calendar);
    BitBlt(target, 0, 0, size.width, size.height, buffer.get(), 0, 0, SRCCOPY);
    SelectObject(buffer.get(), previous);  // the bitmap goes before its DC
}

void CalendarPainter::Draw(HDC dc, const CalendarLayout& layout,
                           const MonthCalendar& calendar) const {
    const int saved = SaveDC(dc);
    const PixelSize size = layout.Size();
    Fill(dc, {0, 0, size.width, size.height}, COLOR_WINDOW);
    SetBkMode(dc, TRANSPARENT);
    const MonthGrid& grid = calendar.Grid();
    SelectObject(dc, boldFont_ ? boldFont_.get() : GetStockObject(DEFAULT_GUI_FONT));
    Text(dc, MonthTitle(grid.year, grid.month), layout.Title(), COLOR_WINDOWTEXT);
    Arrow(dc, layout.PreviousButton(), layout.Scaled(5), true);
    Arrow(dc, layout.NextButton(), layout.Scaled(5), false);
    SelectObject(dc, font_ ? font_.get() : GetStockObject(DEFAULT_GUI_FONT));
    for (int column = 0; column < 7; ++column) {
        Text(dc, WeekdayAbbreviation(grid.columns[column]), layout.DayHeader(column),
             COLOR_WINDOWTEXT);
    }
    // A rule under the header, across the days.
    const PixelRect first = layout.DayHeader(0), last = layout.DayHeader(6);
    Fill(dc, {first.left, first.bottom - layout.Scaled(1), last.right, first.bottom},
         COLOR_BTNSHADOW);
    for (int row = 0; row < 6; ++row) {
        Fill(dc, layout.WeekCell(row), COLOR_BTNFACE);
        Text(dc, std::to_wstring(grid.rowWeeks[row].week), layout.WeekCell(row), COLOR_HIGHLIGHT);
    }
    DrawDays(dc, layout, calendar);
    RestoreDC(dc, saved);
}

void CalendarPainter::DrawDays(HDC dc, const CalendarLayout& layout,
                               const MonthCalendar& calendar) const {
    const MonthGrid& grid = calendar.Grid();
    const int line = layout.Scaled(1);
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 7; ++column) {
            const CivilDate& date = grid.cells[row][column];
            const PixelRect cell = Inset(layout.DayCell(row, column), line);
            const bool selected = date == calendar.Selected();
            if (selected) {
                Fill(dc, cell, COLOR_HIGHLIGHT);
            }
            if (date == calendar.Today()) {
                // Inside the highlight, in its text's colour, when today is selected.
                Frame(dc, selected ? Inset(cell, line) : cell, line + line / 2 + 1,
                      selected ? COLOR_HIGHLIGHTTEXT : COLOR_HIGHLIGHT);
            }
            const int colour = selected             ? COLOR_HIGHLIGHTTEXT
                               : grid.InMonth(date) ? COLOR_WINDOWTEXT
                                                    : COLOR_GRAYTEXT;
            Text(dc, std::to_wstring(date.day), cell, colour);
        }
    }
}

}  // namespace datrelle::win32
