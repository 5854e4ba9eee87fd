#include "calendar/MonthGrid.h"

#include <algorithm>

namespace datrelle {

bool MonthGrid::InMonth(const CivilDate& date) const {
    return date.year == year && date.month == month;
}

std::optional<std::pair<int, int>> MonthGrid::CellOf(const CivilDate& date) const {
    int index = 0;
    for (const auto& row : cells) {
        for (const CivilDate& cell : row) {
            if (cell == date) {
                return std::pair{index / 7, index % 7};
            }
            ++index;
        }
    }
    return std::nullopt;
}

MonthGrid LayoutMonth(int year, int month, const WeekRule& rule) {
    MonthGrid grid;
    grid.year = year;
    grid.month = month;
    const CivilDate lastBefore = AddDays({year, month, 1}, -1);
    const int intoWeek =
        (static_cast<int>(DayOfWeek(lastBefore)) - static_cast<int>(rule.firstDay) + 7) % 7;
    CivilDate date = AddDays(lastBefore, -intoWeek);
    for (auto& row : grid.cells) {
        for (auto& cell : row) {
            cell = date;
            date = AddDays(date, 1);
        }
    }
    std::ranges::transform(grid.cells.front(), grid.columns.begin(), DayOfWeek);
    std::ranges::transform(grid.cells, grid.rowWeeks.begin(),
                           [&rule](const auto& row) { return WeekOf(row.front(), rule); });
    return grid;
}

}  // namespace datrelle
