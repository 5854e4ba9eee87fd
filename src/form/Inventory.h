#pragma once

#include <span>

// The main window's inventory: every visible control with its caption, place, size and
// font, in twips (1/1440 inch); whether a control is enabled and shown is its model's
// (form/Form.h). The Win32 layer creates the real
// controls from this table at the window's DPI.

namespace datrelle {

// Numbers double as the Win32 control identifiers.
enum class ControlId : int {
    Label1 = 1001,
    Command1,
    Command2,
    Command3,
    Command4,
    Command5,
    Command6,
    Command7,
    Command8,
    Command9,
    Frame1,
    Check1,
    Check2,
    Check3,
    Check4,
    Text1,
    WebBrowser1,
};

enum class ControlKind { Label, Button, Frame, CheckBox, TextBox, Browser };

struct FontStyle {
    const char* face = nullptr;  // nullptr: the system's default font
    double points = 0;
    int weight = 400;
};

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const TwipsRect&) const = default;
};

struct ControlEntry {
    ControlId id;
    const char* name;
    ControlKind kind;
    const char* caption;
    TwipsRect place;  // relative to the window's client area, or to Frame1 when inFrame
    bool inFrame = false;
    FontStyle font{};
};

inline constexpr int kClientWidthTwips = 11775;
inline constexpr int kClientHeightTwips = 6855;

inline constexpr const char* kText1InitialText = "... Double-Click to load text file ...\r\n";
inline constexpr const char* kText1Tooltip = "Double-Click to load text file!";
inline constexpr unsigned kLabel1Colour = 0x008000;  // 0xRRGGBB: green

std::span<const ControlEntry> VisibleControls();
const ControlEntry& Entry(ControlId id);

// The control's place relative to the window's client area (check boxes sit in Frame1).
TwipsRect ClientPlace(const ControlEntry& entry);

// The picture boxes that hold the icons: Picture1 (days 1 to 31), Picture2 (months 1 to
// 12) and Picture3 (weeks 1 to 53), 315 by 315 twips each, never shown.
inline constexpr int kDayHolders = 31;
inline constexpr int kMonthHolders = 12;
inline constexpr int kWeekHolders = 53;
TwipsRect DayHolderPlace(int day);
TwipsRect MonthHolderPlace(int month);
TwipsRect WeekHolderPlace(int week);

}  // namespace datrelle
