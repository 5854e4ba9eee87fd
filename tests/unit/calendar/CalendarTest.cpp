#include <gtest/gtest.h>

#include <chrono>
#include <tuple>

#include "FakePlatform.h"
#include "calendar/CalendarLayout.h"
#include "calendar/CopyForms.h"
#include "calendar/MonthCalendar.h"
#include "calendar/MonthGrid.h"
#include "calendar/PopupPlacement.h"
#include "calendar/WeekRule.h"

namespace datrelle {
namespace {

using namespace std::chrono;

// 20261231 is 31 December 2026; 202653 is its week 53, in the tables below.
constexpr CivilDate D(int ymd) {
    return {ymd / 10000, ymd / 100 % 100, ymd % 100};
}
constexpr WeekNumber W(int yw) {
    return {yw / 100, yw % 100};
}
CivilDate Civil(sys_days day) {
    const year_month_day d{day};
    return {int(d.year()), int(unsigned(d.month())), int(unsigned(d.day()))};
}

constexpr WeekRule kSundayFourDays{Weekday::Sunday, 4};
constexpr WeekRule kMondayFullWeek{Weekday::Monday, 7};

// ISO 8601 by the standard library's calendar: a week's year is its Thursday's, and the
// Thursday's day of that year gives the week. The day arithmetic is checked on the way,
// leap years and month ends included.
TEST(WeekRuleTest, EveryDayOf1900To2100AgainstIsoByThursday) {
    for (sys_days day = sys_days{1900y / 1 / 1}; day <= sys_days{2100y / 12 / 31}; day += days{1}) {
        const CivilDate date = Civil(day), next = Civil(day + days{1});
        const unsigned iso = weekday{day}.iso_encoding();  // 1 Monday .. 7 Sunday
        const year_month_day thursday{day + days{4} - days{iso}};
        const int ordinal = (sys_days{thursday} - sys_days{thursday.year() / 1 / 1}).count();
        ASSERT_EQ(WeekOf(date, kIsoWeeks), (WeekNumber{int(thursday.year()), ordinal / 7 + 1}))
            << IsoDate(date);
        ASSERT_EQ(DayOfWeek(date), static_cast<Weekday>(iso - 1)) << IsoDate(date);
        ASSERT_EQ(AddDays(date, 1), next);
        ASSERT_EQ(AddDays(next, -1), date);
        ASSERT_EQ(next.month != date.month, date.day == DaysInMonth(date.year, date.month));
    }
}

// For every first day and minimum: a new week begins on the first day only, numbered on or
// as week 1 of the next year, and 1 January + (minimum - 1) days is always in week 1.
TEST(WeekRuleTest, EveryRuleNumbersWeeksOnFromWeekOne) {
    for (int first = 0; first < 7; ++first) {
        for (int minDays = 1; minDays <= 7; ++minDays) {
            const WeekRule rule{static_cast<Weekday>(first), minDays};
            WeekNumber last = WeekOf({1999, 12, 31}, rule);
            for (CivilDate d{2000, 1, 1}; d.year < 2030; d = AddDays(d, 1)) {
                const WeekNumber week = WeekOf(d, rule), on{last.year, last.week + 1};
                const bool newWeek = week == on || week == WeekNumber{last.year + 1, 1};
                EXPECT_EQ(DayOfWeek(d) == rule.firstDay ? newWeek : week == last, true)
                    << IsoDate(d) << " " << first << minDays;
                EXPECT_TRUE(d.month > 1 || d.day != minDays || week == W(d.year * 100 + 1));
                last = week;
            }
        }
    }
}

TEST(WeekRuleTest, NewYearWhereTheRulesDisagree) {
    const WeekRule rules[] = {kIsoWeeks, kSundayFirstJanuary, kSundayFourDays, kMondayFullWeek};
    const int rows[][5] = {
        {20260101, 202601, 202601, 202553, 202552}, {20270101, 202653, 202701, 202652, 202652},
        {20261227, 202652, 202701, 202652, 202651}, {20241230, 202501, 202501, 202501, 202453},
        {20210103, 202053, 202102, 202101, 202052}, {20071231, 200801, 200801, 200801, 200753},
        {20050101, 200453, 200501, 200452, 200452}};
    for (const auto& row : rows) {
        for (int rule = 0; rule < 4; ++rule) {
            EXPECT_EQ(WeekOf(D(row[0]), rules[rule]), W(row[rule + 1])) << row[0] << " " << rule;
        }
    }
}

TEST(WeekRuleTest, RulesFromTheRegionalFormatAndTheSetting) {
    const std::tuple<int, int, WeekRule> regional[] = {
        {0, 2, kIsoWeeks},       {6, 0, kSundayFirstJanuary},  {6, 2, kSundayFourDays},
        {0, 1, kMondayFullWeek}, {7, 0, {Weekday::Monday, 1}}, {-1, 3, kIsoWeeks}};
    for (const auto& [firstDay, firstWeek, rule] : regional) {
        EXPECT_EQ(RegionalWeekRule(firstDay, firstWeek), rule) << firstDay << firstWeek;
    }
    const WeekRule chosen[] = {kMondayFullWeek, kMondayFullWeek, kIsoWeeks, kSundayFirstJanuary,
                               kMondayFullWeek};
    for (int stored = -1; stored <= 3; ++stored) {
        EXPECT_EQ(ChosenRule(WeekRuleSettingOf(stored), kMondayFullWeek), chosen[stored + 1]);
    }
}

// Beyond the years above, and the tooltip (the other texts are copy forms, below).
TEST(WeekRuleTest, FarDatesAndTheTooltip) {
    EXPECT_EQ(AddDays({1, 1, 1}, 3652058), (CivilDate{9999, 12, 31}));
    EXPECT_EQ(DayOfWeek({1, 1, 1}), Weekday::Monday);
    EXPECT_EQ(DaysInMonth(2026, 13), 0);
    EXPECT_EQ(WeekTooltip({2027, 1}) + WeekTooltip({2026, 53}), "Week 1, 2027Week 53, 2026");
}

TEST(MonthGridTest, CellsAndWeeksOfTheRows) {
    const std::tuple<int, WeekRule, int, int, int> rows[] = {
        // month, rule, first cell, first and last row's week
        {202606, kIsoWeeks, 20260525, 202622, 202627},
        {202612, kIsoWeeks, 20261130, 202649, 202701},
        {202702, kIsoWeeks, 20270125, 202704, 202709},  // 1 Monday to 28 Sunday: four rows
        {202612, kSundayFirstJanuary, 20261129, 202649, 202702}};
    for (const auto& [month, rule, first, firstWeek, lastWeek] : rows) {
        const MonthGrid grid = LayoutMonth(month / 100, month % 100, rule);
        EXPECT_EQ(grid.rowWeeks[0], W(firstWeek)) << month;
        EXPECT_EQ(grid.rowWeeks[5], W(lastWeek)) << month;
        EXPECT_EQ(grid.rowWeeks[2], WeekOf(grid.cells[2][6], rule));
        for (int cell = 0; cell < 42; ++cell) {
            const CivilDate date = AddDays(D(first), cell);
            EXPECT_EQ(grid.columns[cell % 7], DayOfWeek(date));
            EXPECT_EQ(grid.cells[cell / 7][cell % 7], date);
            EXPECT_EQ(grid.CellOf(date), std::pair(cell / 7, cell % 7));
            EXPECT_EQ(grid.InMonth(date), date.year * 100 + date.month == month);
        }
        EXPECT_FALSE(grid.CellOf(AddDays(D(first), -1)) || grid.CellOf(AddDays(D(first), 42)));
    }
}

TEST(MonthCalendarTest, KeysMoveTheSelectionAndTheMonthFollows) {
    using enum CalendarKey;
    const std::tuple<int, CalendarKey, int> rows[] = {
        {20261231, Right, 20270101},        {20270101, Left, 20261231},
        {20260301, Up, 20260222},           {20280226, Down, 20280304},
        {20260131, PageDown, 20260228},     {20240331, PageUp, 20240229},
        {20261215, PageDown, 20270115},     {20270115, PageUp, 20261215},
        {20240229, CtrlPageDown, 20250228}, {20240229, CtrlPageUp, 20230228},
        {20260704, Home, 20261208},         {20261208, Home, 20261208},
        {16010103, Up, 16010101},           {99991220, PageDown, 99991231},
        {99991231, Right, 99991231}};
    for (const auto& [start, key, expected] : rows) {
        MonthCalendar calendar({2026, 12, 8}, kIsoWeeks);
        calendar.Select(D(start));
        EXPECT_EQ(calendar.OnKey(key), expected != start) << start;
        EXPECT_EQ(calendar.Selected(), D(expected)) << start;
        EXPECT_EQ(calendar.Grid().year * 100 + calendar.Grid().month, expected / 100) << start;
    }
}

TEST(MonthCalendarTest, ClicksWheelNewDayAndRule) {
    MonthCalendar calendar({2026, 12, 31}, kIsoWeeks);
    calendar.Select(calendar.Grid().cells[5][6]);  // a dimmed day of January
    EXPECT_EQ(calendar.Grid().month, 1);
    calendar.MoveMonths(-2);
    calendar.SetToday({2027, 1, 1});
    calendar.SetRule(kSundayFirstJanuary);
    EXPECT_EQ(calendar.Selected(), (CivilDate{2026, 11, 10}));
    EXPECT_EQ(calendar.Grid().cells[0][0], (CivilDate{2026, 10, 25}));
    calendar.MoveMonths(-100000);
    EXPECT_EQ(calendar.Selected(), kFirstCalendarDate);
    EXPECT_TRUE(calendar.OnKey(CalendarKey::Home));
    EXPECT_EQ(calendar.Selected(), (CivilDate{2027, 1, 1}));
    EXPECT_EQ(MonthCalendar({10000, 1, 1}, kIsoWeeks).Selected(), kLastCalendarDate);
}

TEST(CopyFormsTest, EachFormByItsNumber) {
    const fakes::FakePlatform fake;
    const std::tuple<int, WeekRule, std::string> rows[] = {
        {kLongDateFormat, kIsoWeeks, "long 31/12/2026"},
        {kShortDateFormat, kIsoWeeks, "31/12/2026"},
        {kIsoDateFormat, kIsoWeeks, "2026-12-31"},
        {kWeekFormat, kIsoWeeks, "2026-W53"},
        {kWeekFormat, kSundayFirstJanuary, "2027-W01"},
        {0, kIsoWeeks, "31/12/2026"},
        {5, kIsoWeeks, "31/12/2026"}};
    for (const auto& [format, rule, text] : rows) {
        EXPECT_EQ(DateText(format, {2026, 12, 31}, rule, fake), text) << format;
    }
}

TEST(PopupPlacementTest, BesideTheAnchorInsideTheWorkArea) {
    const PixelRect screen{0, 0, 1920, 1080}, bottomBar{0, 0, 1920, 1040},
        rightBar{0, 0, 1860, 1080}, topBar{0, 40, 1920, 1080}, leftBar{60, 0, 1920, 1080};
    const std::tuple<PixelRect, PopupAnchor, ScreenPoint> rows[] = {
        {bottomBar, PixelRect{1800, 1045, 1824, 1069}, {1620, 790}},
        {bottomBar, PixelRect{1700, 900, 1724, 924}, {1562, 650}},  // in the overflow
        {bottomBar, ScreenPoint{10, 10}, {0, 10}},
        {bottomBar, std::monostate{}, {1620, 790}},
        {rightBar, PixelRect{1870, 1000, 1894, 1024}, {1560, 830}},
        {rightBar, std::monostate{}, {1560, 830}},
        {topBar, ScreenPoint{1500, 20}, {1350, 40}},
        {topBar, std::monostate{}, {1620, 40}},
        {leftBar, PixelRect{10, 1000, 40, 1030}, {60, 830}},
        {leftBar, std::monostate{}, {60, 830}},
        {screen, std::monostate{}, {1620, 830}}};
    for (const auto& [work, anchor, expected] : rows) {
        EXPECT_EQ(PlacePopup({300, 250}, work, screen, anchor), expected) << anchor.index();
    }
    EXPECT_EQ(PlacePopup({2000, 1200}, leftBar, screen, ScreenPoint{30, 500}),
              (ScreenPoint{60, 0}));
}

// At any scaling the days tile their area: each cell's edges are its neighbours', and
// each of its corners hits it. The buttons end the title row; the rest is no target.
TEST(CalendarLayoutTest, SizesScaleAndEveryPointHitsOneTarget) {
    for (const auto& [dpi, width, height] :
         {std::tuple{96, 284, 210}, {120, 355, 263}, {0, 284, 210}}) {
        const CalendarLayout layout(dpi);
        EXPECT_EQ(std::pair(layout.Size().width, layout.Size().height), std::pair(width, height));
        for (int cell = 0; cell < 42; ++cell) {
            const int row = cell / 7, column = cell % 7;
            const PixelRect rect = layout.DayCell(row, column);
            const CalendarHit hit{CalendarPart::Day, row, column};
            EXPECT_EQ(layout.HitTest(rect.left, rect.top), hit) << dpi;
            EXPECT_EQ(layout.HitTest(rect.right - 1, rect.bottom - 1), hit) << dpi;
            EXPECT_EQ(rect.left, column > 0 ? layout.DayCell(row, column - 1).right
                                            : layout.DayHeader(0).left);
            EXPECT_EQ(rect.top, row > 0 ? layout.DayCell(row - 1, column).bottom
                                        : layout.DayHeader(column).bottom);
        }
        EXPECT_EQ(layout.WeekCell(5).bottom, layout.DayCell(5, 0).bottom);
        EXPECT_LT(layout.WeekCell(2).right, layout.DayCell(2, 0).left);
        const PixelRect previous = layout.PreviousButton(), next = layout.NextButton();
        EXPECT_EQ(
            std::tuple(previous.right, next.left, next.right),
            std::tuple(layout.Title().left, layout.Title().right, layout.DayCell(0, 6).right));
        EXPECT_EQ(layout.HitTest(previous.left, previous.bottom - 1).part, CalendarPart::Previous);
        EXPECT_EQ(layout.HitTest(next.right - 1, next.top).part, CalendarPart::Next);
        const PixelRect header = layout.DayHeader(3), week = layout.WeekCell(0);
        for (const auto& [x, y] : {std::pair{previous.right, previous.top},
                                   {header.left, header.top},
                                   {week.left, week.top},
                                   {-1, 100},
                                   {100, height},
                                   {width, 100}}) {
            EXPECT_EQ(layout.HitTest(x, y), CalendarHit{}) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace datrelle
