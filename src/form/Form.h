#pragma once

#include <cstdint>
#include <string>

#include "form/Controls.h"
#include "form/Inventory.h"

namespace datrelle {

// The main window's controls that hold state, in the states they have when the
// window is created. Controls without state (labels, the frame) and the icon holders
// live in the inventory and the Win32 layer only.
struct Form {
    CheckBox Check1{CheckBox::kUnchecked};  // "Auto-Start with Windows"
    CheckBox Check2{CheckBox::kChecked};    // "Show Month Icon"
    CheckBox Check3{CheckBox::kUnchecked};  // "Auto-Hide"
    CheckBox Check4{CheckBox::kUnchecked};  // "Start Nimbrel"

    CommandButton Command1;               // "Exit Program"
    CommandButton Command2;               // "Search the Web"
    CommandButton Command3;               // "Mi&nimize"
    CommandButton Command4;               // "Default Site"
    CommandButton Command5;               // "Dock"
    CommandButton Command6;               // "Ma&ximize"
    CommandButton Command7;               // "Open File"
    CommandButton Command8{true, false};  // "Save Changes", hidden until a notes file is chosen
    CommandButton Command9{false, true};  // "Auto Start App", enabled by start-up when allowed

    // The items of the popup menu mnuPop that act or carry a check mark.
    MenuItem MnuSettings;
    MenuItem mnuOpenFileInBrowser;
    MenuItem mnuAutoApp;
    MenuItem MnuCopyClipLong;
    MenuItem MnuCopyClipShort;
    MenuItem MnuCopyClipIso;
    MenuItem MnuCopyWeek;
    MenuItem mnuCalendar;
    MenuItem mnuShowWeek;
    // The submenu "Week Numbers": one of the three rules, shown as radio items.
    MenuItem mnuWeekRegional;
    MenuItem mnuWeekIso;
    MenuItem mnuWeekSunday;
    MenuItem mnuExit;

    Timer Timer1{300};    // auto-hide
    Timer Timer2{100};    // delayed start of the chosen application
    Timer Timer3{60000};  // date refresh
    // Wakes the date refresh at the next local midnight, so that the new day does not
    // wait for Timer3's next minute.
    Timer NewDayTimer{0};
};

// The program-wide variables shared by the subsystems, all empty or 0 at start.
struct SharedVariables {
    std::string ExeName;
    // The day and month whose icons are in the tray (the date itself is the tray's, see
    // SysTray::Today); set where an icon is added, 0 until then.
    std::int16_t CurDay = 0;
    std::int16_t CurMonth = 0;
    // The week whose icon is in the tray, by the rule it was numbered by; 0 while none is.
    std::int16_t CurWeek = 0;
    // 1 long date, 2 short date, 3 ISO 8601 date, 4 week; anything else: no choice yet.
    std::int16_t DateFormat = 0;
    // The week icon wanted (1) or not (0), and the week rule: 0 the regional format's,
    // 1 ISO 8601, 2 Sunday with the week of 1 January.
    std::int16_t ShowWeek = 0;
    std::int16_t WeekNumbers = 0;
    std::string LastURL;
    std::string WeatherAppPath;
    std::string AppToRun;
    std::int16_t AppDelay = 0;
};

}  // namespace datrelle
