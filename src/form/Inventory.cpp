#include "form/Inventory.h"

#include <array>
#include <stdexcept>

namespace datrelle {
namespace {

constexpr FontStyle kTitleFont{"Verdana", 14.25, 700};
constexpr FontStyle kNotesFont{"MS Sans Serif", 12, 400};

using enum ControlId;
using enum ControlKind;

constexpr std::array kControls{
    ControlEntry{
        Label1, "Label1", Label, "Tavrin Datrelle", {150, 75, 3990, 390}, false, kTitleFont},
    ControlEntry{Command2, "Command2", Button, "Search the Web", {4350, 75, 1365, 390}},
    ControlEntry{Command4, "Command4", Button, "Default Site", {4350, 525, 1365, 390}},
    ControlEntry{Command7, "Command7", Button, "Open File", {4350, 975, 1365, 390}},
    ControlEntry{Command9, "Command9", Button, "Auto Start App", {4350, 1425, 1365, 390}},
    ControlEntry{Frame1, "Frame1", Frame, "Settings", {150, 525, 4065, 1365}},
    ControlEntry{
        Check1, "Check1", CheckBox, "Auto-Start with Windows", {150, 300, 2115, 240}, true},
    ControlEntry{Check2, "Check2", CheckBox, "Show Month Icon", {150, 600, 1665, 315}, true},
    ControlEntry{Check3, "Check3", CheckBox, "Auto-Hide", {150, 975, 1290, 315}, true},
    ControlEntry{Check4, "Check4", CheckBox, "Start Nimbrel", {2175, 1050, 1740, 240}, true},
    ControlEntry{Command1, "Command1", Button, "Exit Program", {150, 2025, 1290, 390}},
    ControlEntry{Command3, "Command3", Button, "Mi&nimize", {1500, 2025, 1365, 390}},
    ControlEntry{Command6, "Command6", Button, "Ma&ximize", {2925, 2025, 1365, 390}},
    ControlEntry{Command5, "Command5", Button, "Dock", {4350, 2025, 1365, 390}},
    ControlEntry{
        Text1, "Text1", TextBox, kText1InitialText, {5925, 0, 5190, 2190}, false, kNotesFont},
    ControlEntry{Command8, "Command8", Button, "Save Changes", {5850, 2250, 5340, 240}},
    ControlEntry{WebBrowser1, "WebBrowser1", Browser, "", {-75, 2625, 8595, 2940}},
};

constexpr int kHolderSize = 315;
constexpr int kHolderStep = 375;
constexpr int kHoldersLeft = 6750;

// Box number `index` (from 1) of a set laid out in rows of `perRow` from `top`.
TwipsRect InRows(int index, int perRow, int top) {
    const int row = (index - 1) / perRow;
    const int column = (index - 1) % perRow;
    return {kHoldersLeft + column * kHolderStep, top + row * kHolderStep, kHolderSize, kHolderSize};
}

}  // namespace

std::span<const ControlEntry> VisibleControls() {
    return kControls;
}

const ControlEntry& Entry(ControlId id) {
    for (const auto& entry : kControls) {
        if (entry.id == id) {
            return entry;
        }
    }
    throw std::out_of_range("no such control");
}

TwipsRect ClientPlace(const ControlEntry& entry) {
    TwipsRect place = entry.place;
    if (entry.inFrame) {
        const TwipsRect frame = Entry(Frame1).place;
        place.left += frame.left;
        place.top += frame.top;
    }
    return place;
}

TwipsRect DayHolderPlace(int day) {
    // Rows of ten from the top 750; the 31st sits alone at the end of the third row.
    if (day == 31) {
        return {10500, 1500, kHolderSize, kHolderSize};
    }
    return InRows(day, 10, 750);
}

TwipsRect WeekHolderPlace(int week) {
    return InRows(week, 10, 1875);  // below the days
}

TwipsRect MonthHolderPlace(int month) {
    return InRows(month, 6, 0);
}

}  // namespace datrelle
