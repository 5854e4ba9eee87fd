#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "FakePlatform.h"
#include "tray/AutoHide.h"
#include "tray/DateRefresh.h"
#include "tray/SysTray.h"
#include "tray/TrayMouse.h"

namespace datrelle {
namespace {

using fakes::DayWindow;
using fakes::MonthWindow;
using Log = std::vector<std::string>;

std::string Add(WindowHandle window) {
    return "add " + std::to_string(window);
}
std::string Del(WindowHandle window) {
    return "delete " + std::to_string(window);
}

class TrayTest : public ::testing::Test {
  protected:
    TrayTest() {
        form.Check2.onClick = [this] { refresh.OnCheck2Click(); };
        form.Check3.onClick = [this] { autoHide.OnCheck3Click(); };
        form.Timer1.onTick = [this] { autoHide.OnTimer1Tick(); };
    }
    void RefreshOn(CivilDate date) {
        fake.today = date;
        refresh.RefreshDate();
    }
    // What the shell was asked since the last call.
    Log Calls() { return std::exchange(fake.log, {}); }
    void Tick() {
        if (form.Timer1.Running()) {
            form.Timer1.Tick();
        }
    }

    fakes::FakePlatform fake;
    Form form;
    SharedVariables vars;
    SysTray tray{fake.platform, vars};
    DateRefresh refresh{fake.platform, vars, tray, form.Check2};
    TrayMouse mouse{fake, fake.clipboard, fake, form, vars};
    AutoHide autoHide{fake, form, vars, tray};
};

TEST(MakeTooltipTest, TextThenOneNulThenBlanks) {
    const auto tip = MakeTooltip("Sunday, December 06, 2026");
    EXPECT_EQ(std::string(tip.begin(), tip.end()),
              "Today is: Sunday, December 06, 2026" + std::string(1, '\0') + std::string(28, ' '));
    // 53 characters of date fill the field up to its last byte, which the NUL needs.
    for (const auto& [date, text] :
         {std::pair<std::size_t, std::size_t>{0, 10}, {53, 63}, {54, 63}}) {
        const auto field = MakeTooltip(std::string(date, 'x'));
        EXPECT_EQ(std::string(field.data()).size(), text) << date;
    }
}

TEST_F(TrayTest, AddFillsTheRecordDeleteOnlyItsIdentity) {
    fake.longDate = "Sunday, December 06, 2026";
    tray.AddTrayIcon(-3, 31);  // a kind below 1 is the day icon
    tray.AddTrayIcon(2, 12);
    EXPECT_EQ(Calls(), (Log{Add(DayWindow(31)), Add(MonthWindow(12))}));
    const NotifyRecord& added = fake.records.back();
    EXPECT_EQ(std::tuple(added.cbSize, added.uID, added.uFlags, added.uCallbackMessage),
              std::tuple(88u, 1u, 7u, 512u));
    EXPECT_EQ(added.hIcon, MonthWindow(12) + 1000);
    EXPECT_STREQ(added.szTip.data(), "Today is: Sunday, December 06, 2026");

    // No such element: the message for a day index out of range, nothing for the rest.
    Calls();
    for (const auto& [kind, index] :
         {std::pair<std::int16_t, std::int16_t>{1, 0}, {1, 32}, {2, -1}, {2, 13}, {3, 5}}) {
        tray.AddTrayIcon(kind, index);
    }
    tray.DeleteTrayIcon(IconKind::Day, 0);
    tray.DeleteTrayIcon(IconKind::Month, 13);
    EXPECT_EQ(Calls(), Log(3, "message No icon specified"));
    EXPECT_EQ(vars.CurDay, 31);
    EXPECT_EQ(vars.CurMonth, 12);
}

TEST_F(TrayTest, RefreshReplacesTheIconsWhenTheDateChanges) {
    RefreshOn({2026, 12, 6});
    EXPECT_EQ(Calls(), (Log{Add(DayWindow(6)), Add(MonthWindow(12))}));
    RefreshOn({2026, 12, 6});
    EXPECT_TRUE(Calls().empty());
    const struct {
        CivilDate before, after;
    } cases[] = {
        {{2026, 12, 6}, {2026, 12, 7}},  // midnight
        {{2026, 4, 30}, {2026, 5, 1}},   // end of a month
        {{2026, 12, 31}, {2027, 1, 1}},  // new year
        {{2026, 1, 5}, {2026, 2, 5}},    // asleep for a month, same day
        {{2026, 1, 5}, {2027, 1, 5}},    // asleep for a year
    };
    for (const auto& c : cases) {
        RefreshOn(c.before);
        Calls();
        RefreshOn(c.after);
        EXPECT_EQ(Calls(), (Log{Del(DayWindow(c.before.day)), Del(MonthWindow(c.before.month)),
                                Add(DayWindow(c.after.day)), Add(MonthWindow(c.after.month))}));
        // From the calendar, not from the short date, which here is day first.
        EXPECT_EQ(vars.DayText + "/" + vars.MonthText,
                  std::to_string(c.after.day) + "/" + std::to_string(c.after.month));
    }
    // Unchecked, the new month icon is added and deleted again at once.
    form.Check2.onClick = nullptr;
    form.Check2.SetValue(CheckBox::kUnchecked);
    RefreshOn({2027, 1, 6});
    EXPECT_EQ(Calls().back(), Del(MonthWindow(1)));
}

TEST_F(TrayTest, ShowMonthIconAndTheTaskbar) {
    // Before any month is known, unchecking names no icon.
    form.Check2.SetValue(CheckBox::kUnchecked);
    form.Check2.SetValue(CheckBox::kChecked);
    EXPECT_EQ(Calls(), Log{"message No icon specified"});
    refresh.AddShownIconsAgain();
    refresh.ReplaceShownIcons();
    EXPECT_TRUE(Calls().empty());
    RefreshOn({2026, 12, 6});
    for (const auto& [state, shown] :
         {std::pair{0, false}, {1, true}, {2, false}, {1, true}, {0, false}}) {
        form.Check2.SetValue(state);
        EXPECT_EQ(fake.shown.count(MonthWindow(12)) > 0, shown) << state;
    }
    // Explorer restarted: the icons come back as the refresh left them, the month icon
    // at every state but unchecked.
    for (const auto& [state, shown] : {std::pair{0, false}, {1, true}, {2, true}}) {
        form.Check2.onClick = nullptr;
        form.Check2.SetValue(state);
        fake.shown.clear();
        refresh.AddShownIconsAgain();
        const std::set<WindowHandle> expected{DayWindow(6), shown ? MonthWindow(12) : DayWindow(6)};
        EXPECT_EQ(fake.shown, expected);
    }
}

TEST_F(TrayTest, MouseCopiesBringsUpTheWindowAndOpensTheMenu) {
    const std::string shortDate = "copy 06/12/2026";
    const std::string longDate = "copy long 06/12/2026";
    for (const int message : {512, 513, 517, 518, 519}) {
        mouse.OnMouse(message);
    }
    EXPECT_TRUE(Calls().empty());
    EXPECT_TRUE(fake.windowLog.empty());
    // No choice yet: a click copies the short date and makes it the choice.
    mouse.OnMouse(kMouseLeftButtonUp);
    EXPECT_EQ(Calls(), Log{shortDate});
    EXPECT_TRUE(form.MnuCopyClipShort.Checked());
    EXPECT_EQ(vars.DateFormat, 2);
    form.MnuCopyClipLong.onClick = [this] { mouse.OnCopyClipLongClick(); };
    form.MnuCopyClipLong.Click();
    EXPECT_TRUE(form.MnuCopyClipLong.Checked() && !form.MnuCopyClipShort.Checked());
    EXPECT_EQ(vars.DateFormat, 1);
    // Also while another program holds the clipboard: the choice is kept.
    fake.clipboard.held = true;
    mouse.OnMouse(kMouseLeftButtonUp);
    EXPECT_EQ(Calls(), (Log{longDate, longDate}));
    EXPECT_EQ(vars.DateFormat, 1);
    mouse.OnCopyClipShortClick();
    EXPECT_TRUE(!form.MnuCopyClipLong.Checked() && form.MnuCopyClipShort.Checked());
    EXPECT_EQ(vars.DateFormat, 2);
    vars.DateFormat = 0;
    mouse.OnMouse(kMouseLeftButtonUp);  // the check mark decides, not DateFormat
    EXPECT_EQ(Calls(), (Log{shortDate, shortDate}));
    EXPECT_FALSE(form.MnuCopyClipLong.Checked());

    mouse.OnMouse(kMouseRightButtonDown);
    fake.state = kWindowMinimized;
    fake.visible = false;
    mouse.OnMouse(kMouseLeftButtonDoubleClick);
    mouse.OnMouse(kMouseLeftButtonDoubleClick);
    EXPECT_EQ(fake.windowLog, (Log{"Menu", "Show", "State 0", "State 1", "Show"}));
}

TEST_F(TrayTest, AutoHideHidesAtTheSecondTickWithTheIconsBack) {
    // Before any date is known there is no icon to add again.
    form.Check3.SetValue(CheckBox::kChecked);
    Tick();
    Tick();
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(fake.windowLog, Log{"Hide"});
    fake.windowLog.clear();
    form.Check3.SetValue(CheckBox::kUnchecked);
    RefreshOn({2026, 12, 6});
    fake.shown.erase(DayWindow(6));  // refused by the shell earlier
    form.Check3.SetValue(CheckBox::kChecked);
    Calls();
    Tick();
    EXPECT_TRUE(Calls().empty());
    EXPECT_TRUE(fake.windowLog.empty());
    Tick();
    EXPECT_EQ(Calls(), (Log{Add(DayWindow(6)), Add(MonthWindow(12))}));
    EXPECT_EQ(fake.windowLog, Log{"Hide"});
    EXPECT_FALSE(form.Timer1.Enabled());

    // Unchecked between the ticks: the hiding waits; checked again, it comes at the
    // next tick. "Show Month Icon" unchecked leaves the day icon alone in the tray.
    form.Check2.onClick = nullptr;
    form.Check2.SetValue(CheckBox::kUnchecked);
    form.Check3.SetValue(CheckBox::kUnchecked);
    form.Check3.SetValue(CheckBox::kChecked);
    Tick();
    form.Check3.SetValue(CheckBox::kUnchecked);
    EXPECT_FALSE(form.Timer1.Enabled());
    form.Check3.SetValue(CheckBox::kChecked);
    Calls();
    Tick();
    EXPECT_EQ(Calls(), (Log{Add(DayWindow(6)), Add(MonthWindow(12)), Del(MonthWindow(12))}));
    EXPECT_EQ(fake.windowLog, (Log{"Hide", "Hide"}));
    form.Check3.SetValue(CheckBox::kGreyed);
    EXPECT_FALSE(form.Timer1.Enabled());
}

}  // namespace
}  // namespace datrelle
