#include "calendar/MonthGrid.h"

namespace datrelle {

bool MonthGrid::InMonth(const CivilDate& date) const {
    return date.year == year && date.month == month;
}

std::optional<std::pair<int, int>> MonthGrid::CellOf(const CivilDate& date) const {
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 7; ++column) {
            if (cells[row][column] == date) {
                return std::pair{row, column};
            }
        }
    }
    return std::nullopt;
}

MonthGrid LayoutMonth(int year, int month, const WeekRule& rule) {
    MonthGrid grid;
    grid.year = year;
    grid.month = month;
    const int first = static_cast<int>(rule.firstDay);
    for (int column = 0; column < 7; ++column) {
        grid.columns[column] = static_cast<Weekday>((first + column) % 7);
    }
    const CivilDate lastBefore = AddDays({year, month, 1}, -1);
    const int intoWeek = (static_cast<int>(DayOfWeek(lastBefore)) - first + 7) % 7;
    CivilDate date = AddDays(lastBefore, -intoWeek);
    for (auto& row : grid.cells) {
        for (auto& cell : row) {
            cell = date;
            date = AddDays(date, 1);
        }
    }
    for (int row = 0; row < 6; ++row) {
        grid.rowWeeks[row] = WeekOf(grid.cells[row][0], rule);
    }
    return grid;
}

}  // namespace datrelle
