// Today's icons in the real tray: added at start-up and coming back when the taskbar
// is created anew. SettingsProgramTest sees them go at every way of closing.

#include <gtest/gtest.h>

#include "RunningProgram.h"

namespace datrelle::testing {
namespace {

SYSTEMTIME Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

class TrayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(program.Start());
        const SYSTEMTIME today = Today();
        dayHolder = program.DayHolder(today.wDay);
        monthHolder = program.MonthHolder(today.wMonth);
        ASSERT_NE(dayHolder, nullptr);
        ASSERT_NE(monthHolder, nullptr);
    }

    RunningProgram program;
    HWND dayHolder = nullptr;
    HWND monthHolder = nullptr;
};

// Run once more with a day-first regional format, where cutting the short date as
// month/day would show the wrong icons.
TEST(RegionalFormatTest, IsTheOneThisRunAskedFor) {
    char expected[16] = "";
    if (GetEnvironmentVariableA("DATRELLE_EXPECT_SHORT_DATE", expected, sizeof expected) == 0) {
        GTEST_SKIP() << "no regional format asked for";
    }
    SYSTEMTIME date{};
    date.wYear = 2026;
    date.wMonth = 12;
    date.wDay = 6;
    char shortDate[64] = "";
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, shortDate,
                   sizeof shortDate);
    EXPECT_STREQ(shortDate, expected);
}

TEST_F(TrayTest, TodaysDayAndMonthIconsAndNoOthers) {
    EXPECT_TRUE(TrayHasIcon(dayHolder));
    EXPECT_TRUE(TrayHasIcon(monthHolder));
    int shown = 0;
    for (int day = 1; day <= 31; ++day) {
        shown += TrayHasIcon(program.DayHolder(day)) ? 1 : 0;
    }
    for (int month = 1; month <= 12; ++month) {
        shown += TrayHasIcon(program.MonthHolder(month)) ? 1 : 0;
    }
    EXPECT_EQ(shown, 2);
}

TEST_F(TrayTest, IconsComeBackWhenTheTaskbarIsCreatedAgain) {
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    ASSERT_TRUE(RemoveTrayIcon(dayHolder));
    ASSERT_TRUE(RemoveTrayIcon(monthHolder));
    // As a restarted Explorer announces itself: to every top-level window, the hidden
    // ones too, and once the program has hidden itself.
    Sleep(800);
    ASSERT_FALSE(IsWindowVisible(program.mainWindow()));
    ASSERT_TRUE(PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0));
    EXPECT_TRUE(WaitUntil([&] { return TrayHasIcon(dayHolder) && TrayHasIcon(monthHolder); }));

    // Without "Show Month Icon" only the day icon comes back.
    const HWND box = program.Child("Button", "Show Month Icon");
    program.Send(box, BM_CLICK);
    EXPECT_EQ(program.Send(box, BM_GETCHECK), BST_UNCHECKED);
    EXPECT_FALSE(TrayHasIcon(monthHolder));
    ASSERT_TRUE(RemoveTrayIcon(dayHolder));
    program.Send(program.mainWindow(), taskbarCreated);
    EXPECT_TRUE(TrayHasIcon(dayHolder));
    EXPECT_FALSE(TrayHasIcon(monthHolder));
}

}  // namespace
}  // namespace datrelle::testing
