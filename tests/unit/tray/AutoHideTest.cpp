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

TEST_F(AutoHideTest, FirstTickOnlyArmsTheSecondAddsTheIconsHidesAndStops) {
    fake.tray.shown = {MonthWindow(12)};  // the shell refused the day icon earlier
    form.Check3.SetValue(CheckBox::kChecked);
    Tick();
    EXPECT_TRUE(window.visible);
    EXPECT_TRUE(window.calls.empty());
    EXPECT_TRUE(fake.tray.calls.empty());

    Tick();
    EXPECT_FALSE(window.visible);
    EXPECT_FALSE(form.Timer1.Enabled());
    EXPECT_EQ(Shown(), (std::vector{DayWindow(6), MonthWindow(12)}));
    ASSERT_GE(fake.tray.calls.size(), 2u);
    EXPECT_EQ(fake.tray.calls[0].command, TrayCommand::Add);
    EXPECT_EQ(fake.tray.calls[0].record.hWnd, DayWindow(6));
    EXPECT_EQ(window.calls, (std::vector<std::string>{"Visible 0"}));
    // The timer stopped: no further ticks, the window stays as it is.
    window.visible = true;
    Tick();
    EXPECT_TRUE(window.visible);
}

TEST_F(AutoHideTest, MonthIconIsAddedAgainOnlyWhenShowMonthIconIsNotUnchecked) {
    for (const int check2 : {CheckBox::kUnchecked, CheckBox::kGreyed}) {
        SCOPED_TRACE(check2);
        fake.tray.shown = {DayWindow(6)};
        form.Check2.SetValue(check2);
        form.Check3.SetValue(CheckBox::kUnchecked);
        form.Check3.SetValue(CheckBox::kChecked);
        Tick();
        Tick();
        EXPECT_EQ(fake.tray.Shows(MonthWindow(12)), check2 == CheckBox::kGreyed);
        EXPECT_FALSE(window.visible);
    }
}

TEST_F(AutoHideTest, Check3CancelsBetweenTheTicksAndKeepsTheArming) {
    form.Check3.SetValue(CheckBox::kChecked);
    Tick();
    form.Check3.SetValue(CheckBox::kUnchecked);
    EXPECT_FALSE(form.Timer1.Enabled());
    Tick();
    EXPECT_TRUE(window.visible);
    // Checked again, the armed timer hides at its very next tick.
    form.Check3.SetValue(CheckBox::kChecked);
    Tick();
    EXPECT_FALSE(window.visible);
    // Only a checked box runs the timer.
    form.Check3.SetValue(CheckBox::kGreyed);
    EXPECT_FALSE(form.Timer1.Enabled());
}

}  // namespace
}  // namespace datrelle
