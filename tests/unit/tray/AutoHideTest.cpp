#include "tray/AutoHide.h"

#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "FakeWindow.h"

namespace datrelle {
namespace {

using fakes::DayWindow;
using fakes::FakePlatform;
using fakes::FakeWindow;
using fakes::MonthWindow;

class AutoHideTest : public ::testing::Test {
  protected:
    AutoHideTest() {
        form.Timer1.onTick = [this] { autoHide.OnTimer1Tick(); };
        form.Check3.onClick = [this] { autoHide.OnCheck3Click(); };
        tray.AddTrayIcon(1, 6);
        tray.AddTrayIcon(2, 12);
        fake.tray.calls.clear();
    }

    // A tick as the window's timer gives it: only while the timer runs.
    void Tick() {
        if (form.Timer1.Running()) {
            form.Timer1.Tick();
        }
    }

    std::vector<WindowHandle> Shown() const {
        auto shown = fake.tray.shown;
        std::sort(shown.begin(), shown.end());
        return shown;
    }

    FakePlatform fake;
    FakeWindow window;
    Form form;
    SharedVariables vars;
    SysTray tray{fake.platform, vars};
    AutoHide autoHide{window, form, vars, tray};
};

TEST_F(AutoHideTest, FirstTickOnlyArmsTheSecondHidesAndStops) {
    form.Check3.SetValue(CheckBox::kChecked);
    ASSERT_TRUE(form.Timer1.Running());
    Tick();
    EXPECT_TRUE(autoHide.HideArmed());
    EXPECT_TRUE(window.visible);
    EXPECT_TRUE(window.calls.empty());
    EXPECT_TRUE(fake.tray.calls.empty());
    EXPECT_TRUE(form.Timer1.Enabled());

    Tick();
    EXPECT_FALSE(window.visible);
    EXPECT_FALSE(autoHide.HideArmed());
    EXPECT_FALSE(form.Timer1.Enabled());
    EXPECT_EQ(Shown(), (std::vector{DayWindow(6), MonthWindow(12)}));
    // The timer stopped: no further ticks, the window stays as it is.
    window.visible = true;
    Tick();
    EXPECT_TRUE(window.visible);
}

TEST_F(AutoHideTest, IconsAreAddedAgainBeforeTheWindowHides) {
    // The shell refused the day icon earlier.
    fake.tray.shown = {MonthWindow(12)};
    form.Check3.SetValue(CheckBox::kChecked);
    Tick();
    window.calls.clear();
    Tick();
    EXPECT_EQ(Shown(), (std::vector{DayWindow(6), MonthWindow(12)}));
    ASSERT_GE(fake.tray.calls.size(), 2u);
    EXPECT_EQ(fake.tray.calls[0].command, TrayCommand::Add);
    EXPECT_EQ(fake.tray.calls[0].record.hWnd, DayWindow(6));
    EXPECT_EQ(fake.tray.calls[1].record.hWnd, MonthWindow(12));
    EXPECT_EQ(window.calls, (std::vector<std::string>{"Visible 0"}));
}

TEST_F(AutoHideTest, MonthIconFollowsShowMonthIcon) {
    struct Case {
        const char* name;
        std::int16_t curDay;
        std::int16_t curMonth;
        int check2;
        std::vector<WindowHandle> shownBefore;
        std::vector<WindowHandle> shownAfter;
    };
    const Case cases[] = {
        {"shown", 6, 12, CheckBox::kChecked, {DayWindow(6)}, {DayWindow(6), MonthWindow(12)}},
        {"not wanted", 6, 12, CheckBox::kUnchecked, {DayWindow(6)}, {DayWindow(6)}},
        // Only state 0 removes it.
        {"greyed", 6, 12, CheckBox::kGreyed, {}, {DayWindow(6), MonthWindow(12)}},
        {"no month known", 6, 0, CheckBox::kUnchecked, {DayWindow(6)}, {DayWindow(6)}},
        {"no date known", 0, 0, CheckBox::kUnchecked, {}, {}},
        {"no date known, month wanted", 0, 0, CheckBox::kChecked, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        vars.CurDay = c.curDay;
        vars.CurMonth = c.curMonth;
        fake.tray.shown = c.shownBefore;
        fake.tray.calls.clear();
        fake.messages.shown.clear();
        form.Check2.onClick = nullptr;
        form.Check2.SetValue(c.check2);
        window.visible = true;
        form.Check3.SetValue(CheckBox::kUnchecked);
        form.Check3.SetValue(CheckBox::kChecked);
        Tick();
        Tick();
        EXPECT_EQ(Shown(), c.shownAfter);
        EXPECT_FALSE(window.visible);
        EXPECT_TRUE(fake.messages.shown.empty());
        for (const auto& call : fake.tray.calls) {
            EXPECT_NE(call.record.hWnd, 0u);
        }
    }
}

TEST_F(AutoHideTest, Check3CancelsBetweenTheTicksAndKeepsTheArming) {
    form.Check3.SetValue(CheckBox::kChecked);
    Tick();
    form.Check3.SetValue(CheckBox::kUnchecked);
    EXPECT_FALSE(form.Timer1.Enabled());
    EXPECT_TRUE(autoHide.HideArmed());
    Tick();
    EXPECT_TRUE(window.visible);
    // Checked again, the armed timer hides at its very next tick.
    form.Check3.SetValue(CheckBox::kChecked);
    Tick();
    EXPECT_FALSE(window.visible);
}

TEST_F(AutoHideTest, OnlyACheckedBoxRunsTheTimer) {
    for (const auto& [state, running] : {std::pair{CheckBox::kChecked, true},
                                         {CheckBox::kGreyed, false},
                                         {CheckBox::kChecked, true},
                                         {CheckBox::kUnchecked, false}}) {
        SCOPED_TRACE(state);
        form.Check3.SetValue(state);
        EXPECT_EQ(form.Timer1.Enabled(), running);
    }
}

}  // namespace
}  // namespace datrelle
