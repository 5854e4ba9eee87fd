#include "tray/DateRefresh.h"

#include <gtest/gtest.h>

#include "FakePlatform.h"

namespace datrelle {
namespace {

using fakes::DayWindow;
using fakes::FakePlatform;
using fakes::MonthWindow;

class DateRefreshTest : public ::testing::Test {
  protected:
    void RefreshOn(CivilDate date) {
        fake.calendar.today = date;
        refresh.RefreshDate();
    }

    // The windows whose icons are in the tray, day first.
    std::vector<WindowHandle> Shown() const {
        auto shown = fake.tray.shown;
        std::sort(shown.begin(), shown.end());
        return shown;
    }

    FakePlatform fake;
    SharedVariables vars;
    SysTray tray{fake.platform, vars};
    CheckBox check2{CheckBox::kChecked};
    DateRefresh refresh{fake.platform, vars, tray, check2};
};

TEST_F(DateRefreshTest, ChangeOfDateReplacesTheIcons) {
    struct Case {
        const char* name;
        CivilDate before;
        CivilDate after;
    };
    const Case cases[] = {
        {"midnight", {2026, 12, 6}, {2026, 12, 7}},
        {"end of a month", {2026, 4, 30}, {2026, 5, 1}},
        {"new year", {2026, 12, 31}, {2027, 1, 1}},
        {"asleep for a year, same day and month", {2026, 1, 5}, {2027, 1, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RefreshOn(c.before);
        fake.tray.calls.clear();
        RefreshOn(c.after);
        const auto& calls = fake.tray.calls;
        ASSERT_EQ(calls.size(), 4u);
        EXPECT_EQ(calls[0].command, TrayCommand::Delete);
        EXPECT_EQ(calls[0].record.hWnd, DayWindow(c.before.day));
        EXPECT_EQ(calls[1].command, TrayCommand::Delete);
        EXPECT_EQ(calls[1].record.hWnd, MonthWindow(c.before.month));
        EXPECT_EQ(calls[2].command, TrayCommand::Add);
        EXPECT_EQ(calls[2].record.hWnd, DayWindow(c.after.day));
        EXPECT_EQ(calls[3].command, TrayCommand::Add);
        EXPECT_EQ(calls[3].record.hWnd, MonthWindow(c.after.month));
        EXPECT_EQ(Shown(), (std::vector{DayWindow(c.after.day), MonthWindow(c.after.month)}));
    }
}

TEST_F(DateRefreshTest, SameDayMakesNoTrayCall) {
    RefreshOn({2026, 12, 6});
    fake.tray.calls.clear();
    RefreshOn({2026, 12, 6});
    EXPECT_TRUE(fake.tray.calls.empty());
}

TEST_F(DateRefreshTest, DayAndMonthComeFromTheCalendarNotFromTheShortDate) {
    // The fake's short date is day first ("07/03/2026"); cutting it month-first would
    // give day 3 of July.
    RefreshOn({2026, 3, 7});
    EXPECT_EQ(vars.CurDay, 7);
    EXPECT_EQ(vars.CurMonth, 3);
    EXPECT_EQ(Shown(), (std::vector{DayWindow(7), MonthWindow(3)}));
}

TEST_F(DateRefreshTest, UncheckedMonthIconIsAddedAndDeletedAgainAtOnce) {
    ASSERT_TRUE(check2.SetValue(CheckBox::kUnchecked));
    RefreshOn({2026, 12, 6});
    RefreshOn({2026, 12, 7});
    EXPECT_EQ(Shown(), std::vector{DayWindow(7)});
    EXPECT_EQ(fake.tray.calls.back().command, TrayCommand::Delete);
    EXPECT_EQ(fake.tray.calls.back().record.hWnd, MonthWindow(12));
}

TEST_F(DateRefreshTest, Check2ShowsAndHidesTheMonthIcon) {
    check2.onClick = [this] { refresh.OnCheck2Click(); };
    // Before any month is known, unchecking does nothing.
    ASSERT_TRUE(check2.SetValue(CheckBox::kUnchecked));
    EXPECT_TRUE(fake.tray.calls.empty());
    check2.onClick = nullptr;
    ASSERT_TRUE(check2.SetValue(CheckBox::kChecked));
    check2.onClick = [this] { refresh.OnCheck2Click(); };
    RefreshOn({2026, 12, 6});
    // Only a checked box shows the month icon; the greyed state removes it.
    for (const auto& [state, monthShown] : {std::pair{0, false},
                                            {1, true},
                                            {2, false},
                                            {1, true},
                                            {1, true},
                                            {0, false},
                                            {0, false}}) {
        SCOPED_TRACE(state);
        ASSERT_TRUE(check2.SetValue(state));
        EXPECT_EQ(fake.tray.Shows(MonthWindow(12)), monthShown);
        EXPECT_TRUE(fake.tray.Shows(DayWindow(6)));
    }
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(DateRefreshTest, IconsReplacedOnlyOnceADateIsKnown) {
    refresh.AddShownIconsAgain();
    EXPECT_TRUE(fake.tray.calls.empty());
    RefreshOn({2026, 12, 6});
    // Deleted first, so the shell takes the new images and tooltips instead of refusing
    // a second add.
    fake.calendar.longDate = "6. Dezember 2026";
    refresh.ReplaceShownIcons();
    EXPECT_EQ(Shown(), (std::vector{DayWindow(6), MonthWindow(12)}));
    ASSERT_EQ(fake.tray.calls.size(), 2u + 4u);
    EXPECT_EQ(std::string(fake.tray.calls.back().record.szTip.data()).substr(0, 26),
              "Today is: 6. Dezember 2026");
}

TEST_F(DateRefreshTest, GreyedMonthIconComesBackWithTheTaskbar) {
    const struct {
        int state;
        bool monthShown;
    } cases[] = {
        {CheckBox::kChecked, true}, {CheckBox::kGreyed, true}, {CheckBox::kUnchecked, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.state);
        FakePlatform platform;
        SharedVariables shared;
        SysTray sysTray{platform.platform, shared};
        CheckBox box{c.state};
        DateRefresh dateRefresh{platform.platform, shared, sysTray, box};
        platform.calendar.today = {2026, 12, 6};
        dateRefresh.RefreshDate();
        platform.tray.shown.clear();  // Explorer restarted
        dateRefresh.AddShownIconsAgain();
        EXPECT_TRUE(platform.tray.Shows(DayWindow(6)));
        EXPECT_EQ(platform.tray.Shows(MonthWindow(12)), c.monthShown);
    }
}

}  // namespace
}  // namespace datrelle
