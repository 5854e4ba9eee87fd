#pragma once

#include <array>
#include <optional>
#include <utility>

#include "calendar/WeekRule.h"
#include "platform/Calendar.h"

// Which date sits in which cell of a month calendar, and the week number leading each
// row. Six rows of seven days always, so the calendar keeps its size from month to month.

namespace datrelle {

struct MonthGrid {
    int year = 0;
    int month = 0;
    std::array<Weekday, 7> columns{};                 // from the rule's first day
    std::array<std::array<CivilDate, 7>, 6> cells{};  // [row][column]
    std::array<WeekNumber, 6> rowWeeks{};             // the week of each row's first cell

    // The date belongs to the month shown, not to a dimmed neighbour.
    bool InMonth(const CivilDate& date) const;
    // The (row, column) that shows the date, if any does.
    std::optional<std::pair<int, int>> CellOf(const CivilDate& date) const;
};

// The month 1..12 of the year. Row 0 holds the last days of the month before: when the 1st
// falls on the rule's first day, it shows that month's whole last week, so both
// neighbours are always in sight.
MonthGrid LayoutMonth(int year, int month, const WeekRule& rule);

}  // namespace datrelle
