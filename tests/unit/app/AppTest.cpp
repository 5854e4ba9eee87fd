#include "app/App.h"

#include <gtest/gtest.h>

#include "FakePlatform.h"

namespace datrelle {
namespace {

using fakes::DayWindow;
using fakes::FakePlatform;
using fakes::MonthWindow;

TEST(AppTest, LoadShowsTodayAndStartsTheDateTimer) {
    FakePlatform fake;
    App app{fake.platform};
    app.Load();
    EXPECT_TRUE(fake.tray.Shows(DayWindow(6)));
    EXPECT_TRUE(fake.tray.Shows(MonthWindow(12)));
    EXPECT_TRUE(app.form().Timer3.Running());
    EXPECT_EQ(app.form().Timer3.Interval(), 60000);
}

TEST(AppTest, DateTimerTickFollowsTheCalendar) {
    FakePlatform fake;
    App app{fake.platform};
    app.Load();
    fake.calendar.today = {2027, 1, 1};
    app.form().Timer3.Tick();
    EXPECT_EQ(fake.tray.shown.size(), 2u);
    EXPECT_TRUE(fake.tray.Shows(DayWindow(1)));
    EXPECT_TRUE(fake.tray.Shows(MonthWindow(1)));
}

TEST(AppTest, ShowMonthIconBoxIsWired) {
    FakePlatform fake;
    App app{fake.platform};
    app.Load();
    app.form().Check2.UserClick();
    EXPECT_FALSE(fake.tray.Shows(MonthWindow(12)));
    app.form().Check2.UserClick();
    EXPECT_TRUE(fake.tray.Shows(MonthWindow(12)));
}

TEST(AppTest, UnloadTakesBothIconsOutOfTheTray) {
    FakePlatform fake;
    App app{fake.platform};
    app.Load();
    app.Unload();
    EXPECT_TRUE(fake.tray.shown.empty());
}

TEST(AppTest, UnloadWithoutAnyDateKnownSendsNothing) {
    FakePlatform fake;
    App app{fake.platform};
    app.Unload();
    EXPECT_TRUE(fake.tray.calls.empty());
}

}  // namespace
}  // namespace datrelle
