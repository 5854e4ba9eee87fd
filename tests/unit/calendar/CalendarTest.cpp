#include <gtest/gtest.h>

#include <chrono>
#include <tuple>

#include "calendar/CalendarLayout.h"
#include "calendar/MonthCalendar.h"
#include "calendar/MonthGrid.h"
#include "calendar/PopupPlacement.h"
#include "calendar/WeekRule.h"

namespace datrelle {
namespace {

using namespace std::chrono;

// 20261231 is 31 December 2026; 202653 is its week 53, in the tables below.
constexpr auto D = [](int ymd) { return CivilDate{ymd / 10000, ymd / 100 % 100, ymd % 100}; };
constexpr auto W = [](int yw) { return WeekNumber{yw / 100, yw % 100}; };
const auto Civil = [](year_month_day d) {
    return D(int(d.year()) * 10000 + int(unsigned(d.month()) * 100 + unsigned(d.day())));
};

constexpr WeekRule kSundayFourDays{Weekday::Sunday, 4};
constexpr WeekRule kMondayFullWeek{Weekday::Monday, 7};

// ISO 8601 by the standard library's calendar: a week's year is its Thursday's, and the
// Thursday's day of that year gives the week. The day arithmetic is checked on the way,
// leap years and month ends included, and at the ends of the years it serves.
TEST(WeekRuleTest, EveryDayOf1900To2100AgainstIsoByThursday) {
    for (sys_days day = sys_days{1900y / 1 / 1}; day <= sys_days{2100y / 12 / 31}; day += days{1}) {
        const CivilDate date = Civil(day), next = Civil(day + days{1});
        const unsigned iso = weekday{day}.iso_encoding();  // 1 Monday .. 7 Sunday
        const year_month_day thursday{day + days{4} - days{iso}};
        const int ordinal = (sys_days{thursday} - sys_days{thursday.year() / 1 / 1}).count();
        ASSERT_EQ(WeekOf(date, kIsoWeeks), (WeekNumber{int(thursday.year()), ordinal / 7 + 1}))
            << IsoDate(date);
        ASSERT_EQ(DayOfWeek(date), static_cast<Weekday>(iso - 1)) << IsoDate(date);
        ASSERT_TRUE(AddDays(date, 1) == next && AddDays(next, -1) == date) << IsoDate(date);
        ASSERT_EQ(next.month != date.month, date.day == DaysInMonth(date.year, date.month));
    }
    EXPECT_EQ(AddDays({1, 1, 1}, 3652058), (CivilDate{9999, 12, 31}));
    EXPECT_EQ(DaysInMonth(2026, 13), 0);
}

TEST(WeekRuleTest, NewYearWhereTheRulesDisagree) {
    const WeekRule rules[] = {kIsoWeeks, kSundayFirstJanuary, kSundayFourDays, kMondayFullWeek};
    const int rows[][5] = {
        // a date, then its week by each rule above
        {20260101, 202601, 202601, 202553, 202552}, {20270101, 202653, 202701, 202652, 202652},
        {20261227, 202652, 202701, 202652, 202651}, {20241230, 202501, 202501, 202501, 202453},
        {20210103, 202053, 202102, 202101, 202052}, {20050101, 200453, 200501, 200452, 200452}};
    for (const auto& row : rows) {
        for (int rule = 0; rule < 4; ++rule) {
            EXPECT_EQ(WeekOf(D(row[0]), rules[rule]), W(row[rule + 1])) << row[0] << " " << rule;
        }
    }
}

TEST(WeekRuleTest, RulesFromTheRegionalFormatAndTheSetting) {
    const std::tuple<int, int, WeekRule> regional[] = {
        {6, 0, kSundayFirstJanuary},   {6, 3, kSundayFourDays},      {0, 1, kMondayFullWeek},
        {1, 2, {Weekday::Tuesday, 4}}, {7, 0, {Weekday::Monday, 1}}, {-1, -1, kIsoWeeks}};
    for (const auto& [firstDay, firstWeek, rule] : regional) {
        EXPECT_EQ(RegionalWeekRule(firstDay, firstWeek), rule) << firstDay << firstWeek;
    }
    const WeekRule chosen[] = {kMondayFullWeek, kMondayFullWeek, kIsoWeeks, kSundayFirstJanuary,
                               kMondayFullWeek};
    for (int stored = -1; stored <= 3; ++stored) {
        EXPECT_EQ(ChosenRule(WeekRuleSettingOf(stored), kMondayFullWeek), chosen[stored + 1]);
    }
}

TEST(MonthGridTest, CellsAndWeeksOfTheRows) {
    const WeekRule iso = kIsoWeeks, us = kSundayFirstJanuary;
    // month, rule, first cell, first and last row's week; February 2027 fills four rows
    const std::tuple<int, WeekRule, int, int, int> rows[] = {
        {202606, iso, 20260525, 202622, 202627},
        {202612, iso, 20261130, 202649, 202701},
        {202702, iso, 20270125, 202704, 202709},
        {202612, us, 20261129, 202649, 202702}};
    for (const auto& [month, rule, first, firstWeek, lastWeek] : rows) {
        const MonthGrid grid = LayoutMonth(month / 100, month % 100, rule);
        EXPECT_TRUE(grid.rowWeeks[0] == W(firstWeek) && grid.rowWeeks[5] == W(lastWeek)) << month;
        for (int cell = 0; cell < 42; ++cell) {
            const CivilDate date = AddDays(D(first), cell);
            EXPECT_EQ(grid.columns[cell % 7], DayOfWeek(date));
            EXPECT_EQ(grid.cells[cell / 7][cell % 7], date);
            EXPECT_EQ(grid.CellOf(date), std::pair(cell / 7, cell % 7));
            EXPECT_EQ(grid.InMonth(date), date.year * 100 + date.month == month);
        }
    }
}

TEST(MonthCalendarTest, KeysClicksAndTheWheelMoveTheSelectionAndTheMonthFollows) {
    using enum CalendarKey;
    const std::tuple<int, CalendarKey, int> rows[] = {
        {20261231, Right, 20270101},        {20270101, Left, 20261231},
        {20260301, Up, 20260222},           {20280226, Down, 20280304},
        {20260131, PageDown, 20260228},     {20240331, PageUp, 20240229},
        {20240229, CtrlPageDown, 20250228}, {20240229, CtrlPageUp, 20230228},
        {16010103, Up, 16010101},           {16010215, PageUp, 16010115},
        {99991115, PageDown, 99991215},     {99991220, CtrlPageDown, 99991220}};
    for (const auto& [start, key, expected] : rows) {
        MonthCalendar calendar(D(start), kIsoWeeks);
        EXPECT_EQ(calendar.OnKey(key), expected != start) << start;
        EXPECT_EQ(calendar.Selected(), D(expected)) << start;
        EXPECT_EQ(calendar.Grid().year * 100 + calendar.Grid().month, expected / 100) << start;
    }
    MonthCalendar calendar({10000, 1, 1}, kIsoWeeks);
    calendar.Select(calendar.Grid().cells[0][0]);  // 9999-12-31 (the last), then a dimmed day
    calendar.SetToday({2027, 1, 1});
    calendar.SetRule(kSundayFirstJanuary);
    EXPECT_EQ(calendar.Grid().cells[0][0], (CivilDate{9999, 10, 31}));
    calendar.MoveMonths(-1000000);
    EXPECT_EQ(calendar.Selected(), (CivilDate{1601, 1, 29}));
    EXPECT_TRUE(calendar.OnKey(Home) && !calendar.OnWheel(-60) && calendar.OnWheel(-60));
    EXPECT_TRUE(calendar.OnWheel(kWheelNotch * 2) && calendar.Selected() == D(20261201));
}

TEST(PopupPlacementTest, BesideTheAnchorInsideTheWorkArea) {
    using R = PixelRect;
    using P = ScreenPoint;
    const R screen{0, 0, 1000, 800}, bottom{0, 0, 1000, 760}, right{0, 0, 940, 800},
        top{0, 40, 1000, 800}, left{60, 0, 1000, 800};
    const PopupAnchor none;
    // Beside icons and pointers, near a corner, with no free side (above), and at corners.
    const std::tuple<R, PopupAnchor, P> rows[] = {{bottom, R{900, 760, 924, 784}, {700, 510}},
                                                  {bottom, P{10, 10}, {0, 10}},
                                                  {bottom, R{100, 100, 900, 700}, {350, 0}},
                                                  {right, P{700, 600}, {400, 475}},
                                                  {top, P{800, 20}, {650, 40}},
                                                  {left, P{200, 600}, {200, 475}},
                                                  {top, none, {700, 40}},
                                                  {left, none, {60, 550}},
                                                  {screen, none, {700, 550}}};
    for (const auto& [work, anchor, expected] : rows) {
        EXPECT_EQ(PlacePopup({300, 250}, work, screen, anchor), expected) << anchor.index();
    }
    EXPECT_EQ(PlacePopup({2000, 1200}, left, screen, P{30, 500}), (P{60, 0}));
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
        EXPECT_EQ(layout.HitTest(layout.WeekCell(0).left, layout.WeekCell(0).top), CalendarHit{});
    }
}

}  // namespace
}  // namespace datrelle
