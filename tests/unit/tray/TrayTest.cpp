#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <tuple>
#include <utility>

#include "FakePlatform.h"
#include "tray/AutoHide.h"
#include "tray/DateRefresh.h"
#include "tray/SysTray.h"
#include "tray/TrayMouse.h"
#include "tray/WeekIcon.h"

namespace datrelle {
namespace {

class TrayTest : public ::testing::Test {
  protected:
    // The controls are wired, as the program wires them, in the tests that use them.
    void RefreshOn(CivilDate date, std::int64_t millisecondOfDay = fakes::FakePlatform::kDay / 2) {
        fake.SetClock(date, millisecondOfDay);
        refresh.RefreshDate();
    }

    fakes::FakePlatform fake;
    Form form;
    SharedVariables vars;
    SysTray tray{fake.platform, vars};
    DateRefresh refresh{fake.platform, vars, tray, form.Check2, form.NewDayTimer};
    WeekIcon weeks{fake.platform, vars, form, tray};
    TrayMouse mouse{fake, fake.clipboard, fake, form, vars, tray, fake.monthView, weeks};
    AutoHide autoHide{fake, form, vars, tray};
};

// The field holds 64 UTF-16 units: the text, one NUL, blanks to the end. A text too long
// for it is cut before the unit that the NUL needs, never within a character.
TEST(MakeTooltipTest, TextThenOneNulThenBlanksInSixtyFourUnits) {
    const std::string pair = "\xF0\x90\x80\x80";  // U+10000, the first of two units
    const std::string ve = "\xD0\xB2";            // one unit in two bytes
    const std::string euro = "\xE2\x82\xAC";      // one unit in three bytes
    const std::tuple<std::string, std::string, std::size_t> cases[] = {
        {"Sunday, December 06, 2026", "Sunday, December 06, 2026", 28},
        {std::string(53, 'x'), std::string(53, 'x'), 0},
        {std::string(54, 'x'), std::string(53, 'x'), 0},
        {std::string(51, 'x') + pair, std::string(51, 'x') + pair, 0},
        {std::string(52, 'x') + pair + "x", std::string(52, 'x'), 1},
        {std::string(10, 'x') + euro + euro, std::string(10, 'x') + euro + euro, 41},
    };
    for (const auto& [date, shown, blanks] : cases) {
        EXPECT_EQ(MakeTooltip(date), "Today is: " + shown + '\0' + std::string(blanks, ' '))
            << date;
    }
    std::string cyrillic;
    for (int i = 0; i < 60; ++i) {
        cyrillic += ve;
    }
    EXPECT_EQ(MakeTooltip(cyrillic), "Today is: " + cyrillic.substr(0, 53 * 2) + '\0');
}

TEST_F(TrayTest, AddFillsTheRecordDeleteOnlyItsIdentity) {
    tray.AddTrayIcon(-3, 31);  // a kind below 1 is the day icon
    tray.AddTrayIcon(2, 12);
    EXPECT_EQ(fake.Calls(), "add 131 add 212|");
    // The icon's owner and number, what the record carries (the tip also as the standard
    // tooltip), the message, icon and tooltip; then the fourth behaviour asked for, in a
    // record of its own.
    EXPECT_EQ(tray.NotifyData(), (NotifyRecord{fakes::MonthWindow(12), kTrayIconId, kTrayIconFlags,
                                               kTrayCallbackMessage, fakes::MonthWindow(12) + 1000,
                                               MakeTooltip("long 06/12/2026")}));
    EXPECT_EQ(fake.records.back(),
              (NotifyRecord{
                  .hWnd = fakes::MonthWindow(12), .uID = kTrayIconId, .uVersion = kTrayVersion}));

    // No such element: the message for a day index out of range, nothing for the rest.
    for (const auto& [kind, index] :
         {std::pair<std::int16_t, std::int16_t>{1, 0}, {1, 32}, {2, -1}, {2, 13}, {3, 5}}) {
        tray.AddTrayIcon(kind, index);
    }
    tray.DeleteTrayIcon(IconKind::Day, 0);
    tray.DeleteTrayIcon(IconKind::Month, 13);
    EXPECT_EQ(fake.log, std::vector<std::string>(3, "message No icon specified"));
    EXPECT_TRUE(vars.CurDay == 31 && vars.CurMonth == 12);
}

// A notification names the icon and nothing else of it, in a record of its own; texts
// too long for their fields are cut.
TEST_F(TrayTest, ANotificationChangesNothingElseOfTheIcon) {
    tray.AddTrayIcon(1, 6);
    const NotifyRecord added = tray.NotifyData();
    EXPECT_FALSE(tray.ShowNotification(IconKind::Day, 0, "Title", "no such icon"));
    EXPECT_FALSE(tray.ShowNotification(IconKind::Day, 7, "Title", "not in the tray"));
    EXPECT_TRUE(
        tray.ShowNotification(IconKind::Day, 6, std::string(70, 't'), std::string(300, 'x')));
    EXPECT_EQ(fake.Calls(), "add 106 notify 107 notify 106|");
    const NotifyRecord shown{.hWnd = fakes::DayWindow(6),
                             .uID = 1,
                             .uFlags = kTrayInfoFlag,
                             .szInfo = std::string(255, 'x'),
                             .szInfoTitle = std::string(63, 't'),
                             .dwInfoFlags = kInfoIconInformation};
    EXPECT_EQ(fake.records.back(), shown);
    EXPECT_EQ(tray.NotifyData(), added);
}

TEST_F(TrayTest, RefreshReplacesTheIconsWhenTheDateChanges) {
    RefreshOn({2026, 12, 6});
    EXPECT_EQ(fake.Calls(), "add 106 add 212|");
    const std::tuple<CivilDate, CivilDate, const char*> cases[] = {
        {{2026, 12, 6}, {2026, 12, 6}, "|"},                                       // the same day
        {{2026, 12, 6}, {2026, 12, 7}, "delete 106 delete 212 add 107 add 212|"},  // midnight
        {{2026, 4, 30}, {2026, 5, 1}, "delete 130 delete 204 add 101 add 205|"},   // end of a month
        {{2026, 12, 31}, {2027, 1, 1}, "delete 131 delete 212 add 101 add 201|"},  // new year
        {{2026, 1, 5}, {2026, 2, 5}, "delete 105 delete 201 add 105 add 202|"},    // asleep a month
        {{2026, 1, 5}, {2027, 1, 5}, "delete 105 delete 201 add 105 add 201|"},    // asleep a year
    };
    for (const auto& [before, after, calls] : cases) {
        RefreshOn(before);
        fake.Calls();
        RefreshOn(after);
        EXPECT_EQ(fake.Calls(), calls);
        // From the calendar, not from the short date, which here is day first.
        EXPECT_EQ((std::pair<int, int>(vars.CurDay, vars.CurMonth)),
                  std::pair(after.day, after.month));
    }
    // Unchecked, the new month icon is added and deleted again at once.
    form.Check2.SetValue(CheckBox::kUnchecked);
    RefreshOn({2027, 1, 6});
    EXPECT_EQ(fake.Calls(), "delete 105 delete 201 add 106 add 201 delete 201|");
}

TEST_F(TrayTest, ShowMonthIconAndTheTaskbar) {
    form.Check2.onClick = [this] { refresh.OnCheck2Click(); };
    // Before any month is known, unchecking names no icon.
    form.Check2.SetValue(CheckBox::kUnchecked);
    form.Check2.SetValue(CheckBox::kChecked);
    refresh.ReplaceShownIcons();
    EXPECT_EQ(fake.Calls(), "message No icon specified|");
    RefreshOn({2026, 12, 6});
    for (const auto& [state, shown] :
         {std::pair{0, false}, {1, true}, {2, false}, {1, true}, {0, false}}) {
        form.Check2.SetValue(state);
        EXPECT_EQ(fake.shown.count(fakes::MonthWindow(12)) > 0, shown) << state;
    }
    // A new taskbar, scaling or regional format: the icons are deleted and added as the
    // refresh left them, the month icon at every state but unchecked.
    form.Check2.onClick = nullptr;
    fake.Calls();
    for (const auto& [state, tail] : {std::pair{0, "|"}, {1, " add 212|"}, {2, " add 212|"}}) {
        form.Check2.SetValue(state);
        refresh.ReplaceShownIcons();
        EXPECT_EQ(fake.Calls(), "delete 106 delete 212 add 106" + std::string(tail)) << state;
    }
}

// Every refresh arms the wake-up anew for the first moment of the next local day, here in
// Central Europe (UTC+1, +2 in summer) and in a zone that skips midnight itself.
TEST_F(TrayTest, EveryRefreshArmsTheWakeUpForTheNextLocalDay) {
    constexpr std::int64_t kSecond = 1000, kHour = 3600 * kSecond;
    fake.offsets[fake.Utc({2027, 3, 28}, kHour)] = 120;
    fake.offsets[fake.Utc({2027, 10, 31}, kHour)] = 60;
    fake.offsets[fake.Utc({2027, 11, 6}, 23 * kHour)] = 120;  // local 00:00 becomes 01:00
    int armed = 0;
    form.NewDayTimer.onShow = [&armed] { ++armed; };
    // Every reading of the clock takes a millisecond: the icons, their tooltip and the
    // wake-up come from one reading, also in the last millisecond of a day.
    fake.clockStep = 1;
    const std::tuple<CivilDate, std::int64_t, std::int64_t> cases[] = {
        {{2026, 12, 6}, 24 * kHour - 1, 1},
        {{2026, 12, 6}, 10 * kHour, 14 * kHour},
        {{2026, 12, 6}, 24 * kHour - kSecond, kSecond},            // the same day, the clock set on
        {{2026, 12, 6}, 24 * kHour - kSecond, kSecond},            // and again at the same moment
        {{2026, 12, 6}, 8 * kHour, 16 * kHour},                    // set back
        {{2027, 3, 28}, 30 * kSecond, 23 * kHour - 30 * kSecond},  // to summer time at 02:00
        {{2027, 10, 31}, 30 * kSecond, 25 * kHour - 30 * kSecond},  // and back at 03:00
        {{2027, 11, 6}, 23 * kHour + 1800 * kSecond, 1800 * kSecond},
    };
    for (const auto& [date, at, wakeUp] : cases) {
        SCOPED_TRACE(std::to_string(date.month) + "/" + std::to_string(at));
        RefreshOn(date, at);
        EXPECT_TRUE(form.NewDayTimer.Running() && std::exchange(armed, 0) == 1);
        EXPECT_EQ(form.NewDayTimer.Interval(), wakeUp);
        EXPECT_EQ(tray.NotifyData().szTip, MakeTooltip(fake.LongDate(date)));
    }
}

// What the shell sends for one thing the user does, in the older layout (no anchor) and
// in the fourth behaviour's (the icon at 40,50), and whether the user then chooses from
// a menu, against what the program does. Each reading of the clock takes 100 ms and 0
// stands for 300 ms without an event: the two of the last row are 500 ms apart.
TEST_F(TrayTest, EachThingTheUserDoesOnAnIconActsOnce) {
    fake.clockStep = 100;
    const std::tuple<bool, std::vector<int>, bool, const char*> rows[] = {
        // Other mouse messages, a balloon shown or clicked, and NIN_SELECT do nothing.
        {true, {512, 513, 517, 518, 519, 1026, 1029, 0x400}, false, "|"},
        {true, {513, 514, 0x400}, false, "copy 06/12/2026|"},
        // A double click copies twice and brings up the window once, normal (from
        // minimised) or minimised first (from normal); the right button opens the menu at
        // the pointer.
        {false, {514, 515, 514, 516}, false, "copy 06/12/2026 copy 06/12/2026|State 1 Show Menu"},
        {false, {515}, false, "|Show State 0"},
        // A right click, then the menu key, cancelled or chosen.
        {true, {516, 517, 0x7B, 0x7B}, false, "focus 106|Menu Menu 40,50"},
        {true, {0x7B}, true, "|Menu 40,50"},
        // A press whose WM_CONTEXTMENU never came (the older layout) is forgotten at the
        // next left button event, up or down.
        {true,
         {516, 514, 0x7B, 516, 513, 0x7B},
         true,
         "copy 06/12/2026|Menu Menu 40,50 Menu Menu 40,50"},
        // Enter or Space twice: a pair of NIN_KEYSELECT for each press.
        {true, {0x401, 0x401, 0x401, 0x401}, false, "copy 06/12/2026 copy 06/12/2026|"},
        {true, {0x401, 0, 0x401}, false, "copy 06/12/2026 copy 06/12/2026|"},
    };
    for (int row = 0; const auto& [atVersion4, events, chosen, calls] : rows) {
        TrayMouse fresh{fake, fake.clipboard, fake, form, vars, tray, fake.monthView, weeks};
        fake.menuChosen = chosen;
        for (const int event : events) {
            fake.now += event == 0 ? 300 : 0;
            const auto anchor = atVersion4 ? std::optional<ScreenPoint>({40, 50}) : std::nullopt;
            fresh.OnNotification({event, anchor, fakes::DayWindow(6)});
        }
        EXPECT_EQ(fake.Calls(), calls) << "row " << row++;
    }
}

TEST_F(TrayTest, LeftClicksAndKeysCopyTheChosenForm) {
    const MenuItem* const items[] = {&form.MnuCopyClipLong, &form.MnuCopyClipShort,
                                     &form.MnuCopyClipIso, &form.MnuCopyWeek};
    const auto marks = [&] {
        std::string checked;
        for (const MenuItem* item : items) {
            checked += item->Checked() ? '1' : '0';
        }
        return checked;
    };
    // No choice yet: a click copies the short date and makes it the choice.
    mouse.OnNotification({.event = kMouseLeftButtonUp});
    EXPECT_EQ(fake.Calls(), "copy 06/12/2026|");
    EXPECT_TRUE(marks() == "0100" && vars.DateFormat == 2);
    // Each copy item copies its form and becomes the one choice, which Enter on an icon
    // copies then; also while another program holds the clipboard.
    fake.clipboard.held = true;
    const std::tuple<int, std::string, const char*> rows[] = {
        {1, "long 06/12/2026", "1000"},
        {3, "2026-12-06", "0010"},
        {4, "2026-W49", "0001"},
        {2, "06/12/2026", "0100"},
    };
    for (const auto& [format, text, checked] : rows) {
        fake.now += 1000;
        mouse.OnCopyFormClick(format);
        mouse.OnNotification({.event = kKeySelect});
        EXPECT_EQ(fake.Calls(), "copy " + text + " copy " + text + "|");
        EXPECT_TRUE(marks() == checked && vars.DateFormat == format) << format;
    }
    mouse.OnCopyFormClick(4);
    vars.DateFormat = 0;
    mouse.OnNotification({.event = kMouseLeftButtonUp});  // the check mark decides, not DateFormat
    EXPECT_EQ(fake.Calls(), "copy 2026-W49 copy 2026-W49|");
}

// The week icon shows the week of the date the other icons show, by the rule: another
// day of the same week leaves it, a new week or a new rule replaces it, and a new rule
// reaches the calendar. 2 January 2027 is a Saturday of ISO week 53 of 2026.
TEST_F(TrayTest, TheWeekIconFollowsTheDateAndTheRule) {
    std::vector<WeekRule> followed;
    weeks.onRuleChanged = [&](const WeekRule& rule) { followed.push_back(rule); };
    refresh.onNewDate = [this](const CivilDate&) { weeks.OnNewDay(); };
    fake.regionalWeeks = kSundayFirstJanuary;
    vars.ShowWeek = 1;
    vars.WeekNumbers = 1;
    RefreshOn({2027, 1, 2});
    weeks.Start(false);
    EXPECT_EQ(fake.Calls(), "add 102 add 201 add 353|");
    EXPECT_EQ(fake.records[fake.records.size() - 2].szTip, "Week 53, 2026");
    const std::tuple<std::function<void()>, const char*, std::size_t> steps[] = {
        {[&] {
             RefreshOn({2027, 1, 3});
         },
         "delete 102 delete 201 add 103 add 201|", 0},
        {[&] {
             RefreshOn({2027, 1, 4});
         },
         "delete 103 delete 201 add 104 add 201 delete 353 add 301|", 0},
        // Sunday, 1 January: 4 January 2027 is in its week 2, as by the regional rule here.
        {[&] { weeks.OnRuleClick(WeekRuleSetting::SundayFirstJanuary); }, "delete 301 add 302|", 1},
        {[&] { weeks.OnRuleClick(WeekRuleSetting::Regional); }, "|", 1},
        {[&] {
             fake.regionalWeeks = kIsoWeeks;
             weeks.OnRegionalFormatChanged();
         },
         "delete 302 add 301|", 2},
        {[&] { weeks.OnShowWeekClick(); }, "delete 301|", 2},
    };
    for (int row = 0; const auto& [step, calls, rules] : steps) {
        step();
        EXPECT_EQ(fake.Calls(), calls) << "row " << row++;
        EXPECT_EQ(followed.size(), rules);
    }
    EXPECT_EQ(followed, (std::vector{kSundayFirstJanuary, kIsoWeeks}));
    EXPECT_TRUE(form.mnuWeekRegional.Checked() && !form.mnuWeekIso.Checked() &&
                !form.mnuWeekSunday.Checked() && !form.mnuShowWeek.Checked());
    weeks.OnRuleClick(WeekRuleSetting::Iso);
    EXPECT_TRUE(form.mnuWeekIso.Checked() && !form.mnuWeekRegional.Checked());
}

// A click or Enter on the week icon, and the menu's "Calendar", open the calendar and, while
// it is open, close it; a click that took the calendar's activation closed it already. A
// day chosen in it is copied in the chosen form, and no form becomes the choice.
TEST_F(TrayTest, TheWeekIconOpensAndClosesTheCalendar) {
    mouse.OnCalendarClick();  // before the first refresh: no icon to open it beside
    mouse.OnCalendarClick();
    RefreshOn({2026, 12, 8});
    fake.Calls();
    const auto on = [this](int event) {
        mouse.OnNotification(
            {.event = event, .icon = fakes::WeekWindow(50), .kind = IconKind::Week});
    };
    on(kMouseLeftButtonUp);
    on(kMouseLeftButtonUp);
    on(kKeySelect);
    fake.monthView.open = false;
    fake.monthView.lostActivationAt = fake.now;
    on(kMouseLeftButtonUp);
    fake.now += kKeySelectPair;
    for (const int event : {513, 514, 515, 514}) {  // a double click: the window, once
        on(event);
    }
    mouse.OnCalendarClick();
    mouse.OnCalendarClick();
    EXPECT_EQ(fake.monthView.calls, (std::vector<std::string>{"open", "close", "open", "close",
                                                              "open", "open", "close", "open"}));
    EXPECT_EQ(fake.Calls(), "|State 1 Show");
    const auto& opened = fake.monthView.openings;
    EXPECT_EQ(opened[0].icon, 0);
    EXPECT_EQ(std::tuple(opened[2].icon, opened[2].fromKeyboard, opened[4].icon, opened[4].today,
                         opened[4].rule),
              std::tuple(fakes::WeekWindow(50), true, fakes::DayWindow(8), CivilDate{2026, 12, 8},
                         kIsoWeeks));
    mouse.CopyChosenDay({2026, 12, 31});
    mouse.OnCopyFormClick(kWeekFormat);
    mouse.CopyChosenDay({2026, 12, 31});
    EXPECT_EQ(fake.Calls(), "copy 31/12/2026 copy 2026-W50 copy 2026-W53|");
}

TEST_F(TrayTest, AutoHideHidesAtTheSecondTickWithTheIconsBack) {
    form.Check3.onClick = [this] { autoHide.OnCheck3Click(); };
    // As the window's timer, it fires only while it runs.
    form.Timer1.onTick = [this] {
        if (form.Timer1.Running()) {
            autoHide.OnTimer1Tick();
        }
    };
    // The timer's starts and stops show in the log, beside the shell's calls.
    form.Timer1.onShow = [this] { fake.log.push_back(form.Timer1.Enabled() ? "on" : "off"); };
    // Before any date is known there is no icon to add again.
    form.Check3.SetValue(CheckBox::kChecked);
    form.Timer1.Tick();
    form.Timer1.Tick();
    EXPECT_EQ(fake.Calls(), "on off|Hide");
    form.Check3.SetValue(CheckBox::kUnchecked);
    // Both icons are offered again, as the shell may have refused one earlier.
    RefreshOn({2026, 12, 6});
    form.Check3.SetValue(CheckBox::kChecked);
    fake.Calls();
    form.Timer1.Tick();
    EXPECT_EQ(fake.Calls(), "|");
    form.Timer1.Tick();
    EXPECT_EQ(fake.Calls(), "add 106 add 212 off|Hide");

    // Unchecked between the ticks: the hiding waits; checked again, it comes at the
    // next tick. "Show Month Icon" unchecked leaves the day icon alone in the tray. Greyed
    // starts nothing.
    form.Check2.SetValue(CheckBox::kUnchecked);
    form.Check3.SetValue(CheckBox::kUnchecked);
    form.Check3.SetValue(CheckBox::kChecked);
    form.Timer1.Tick();
    form.Check3.SetValue(CheckBox::kUnchecked);
    EXPECT_EQ(fake.Calls(), "on off|");
    form.Check3.SetValue(CheckBox::kChecked);
    form.Timer1.Tick();
    EXPECT_EQ(fake.Calls(), "on add 106 add 212 delete 212 off|Hide");
    form.Check3.SetValue(CheckBox::kGreyed);
    EXPECT_EQ(fake.Calls(), "|");
}

}  // namespace
}  // namespace datrelle
