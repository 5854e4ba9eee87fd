#include "tray/SysTray.h"

#include <gtest/gtest.h>

#include <string>

#include "FakePlatform.h"

namespace datrelle {
namespace {

using fakes::DayIcon;
using fakes::DayWindow;
using fakes::FakePlatform;
using fakes::MonthIcon;
using fakes::MonthWindow;

class SysTrayTest : public ::testing::Test {
  protected:
    FakePlatform fake;
    SharedVariables vars;
    SysTray tray{fake.platform, vars};
};

TEST(MakeTooltipTest, TextThenOneNulThenBlanksWhateverTheLengthOfTheDate) {
    const auto tip = MakeTooltip("Sunday, December 06, 2026");
    EXPECT_EQ(std::string(tip.begin(), tip.end()),
              std::string("Today is: Sunday, December 06, 2026") + '\0' + std::string(28, ' '));
    // 53 characters of date fill the field up to its last byte, which the NUL needs.
    for (const auto& [dateLength, textLength] :
         {std::pair<std::size_t, std::size_t>{0, 10}, {53, 63}, {54, 63}, {200, 63}}) {
        SCOPED_TRACE(dateLength);
        const auto field = MakeTooltip(std::string(dateLength, 'x'));
        EXPECT_EQ(std::string(field.data()).size(), textLength);
        EXPECT_EQ(field[textLength], '\0');
    }
}

TEST_F(SysTrayTest, AddFillsTheRecordAndSetsTheCurrentElement) {
    fake.calendar.longDate = "Sunday, December 06, 2026";
    struct Case {
        std::int16_t kind;
        std::int16_t index;
        WindowHandle window;
        IconHandle icon;
    };
    // A kind below 1 is taken as the day icon.
    for (const Case c :
         {Case{1, 6, DayWindow(6), DayIcon(6)}, Case{-3, 31, DayWindow(31), DayIcon(31)},
          Case{2, 12, MonthWindow(12), MonthIcon(12)}}) {
        SCOPED_TRACE(testing::Message() << c.kind << "," << c.index);
        fake.tray.calls.clear();
        tray.AddTrayIcon(c.kind, c.index);
        ASSERT_EQ(fake.tray.calls.size(), 1u);
        const auto& [command, record] = fake.tray.calls.front();
        EXPECT_EQ(command, TrayCommand::Add);
        EXPECT_EQ(record.cbSize, 88u);
        EXPECT_EQ(record.hWnd, c.window);
        EXPECT_EQ(record.uID, 1u);
        EXPECT_EQ(record.uFlags, 7u);
        EXPECT_EQ(record.uCallbackMessage, 512u);
        EXPECT_EQ(record.hIcon, c.icon);
        EXPECT_STREQ(record.szTip.data(), "Today is: Sunday, December 06, 2026");
        EXPECT_EQ(c.kind == 2 ? vars.CurMonth : vars.CurDay, c.index);
    }
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(SysTrayTest, BadIndexShowsTheMessageAndAMissingElementSendsNothing) {
    tray.AddTrayIcon(1, 6);
    tray.AddTrayIcon(2, 3);
    const NotifyRecord before = tray.NotifyData();
    const auto callsBefore = fake.tray.calls.size();
    for (const auto& [kind, index] :
         {std::pair<std::int16_t, std::int16_t>{1, 0}, {1, 32}, {2, -1}}) {
        tray.AddTrayIcon(kind, index);
    }
    EXPECT_EQ(fake.messages.shown, std::vector<std::string>(3, "No icon specified"));
    // The month set ends at 12, and there is no third set: sending the record would
    // add an earlier icon again with the handles left from the last call.
    for (const auto& [kind, index] :
         {std::pair<std::int16_t, std::int16_t>{2, 13}, {2, 31}, {3, 5}}) {
        tray.AddTrayIcon(kind, index);
    }
    EXPECT_EQ(fake.messages.shown.size(), 3u);
    EXPECT_EQ(fake.tray.calls.size(), callsBefore);
    EXPECT_EQ(vars.CurDay, 6);
    EXPECT_EQ(vars.CurMonth, 3);
    EXPECT_EQ(tray.NotifyData(), before);
}

TEST_F(SysTrayTest, DeleteSendsOnlyTheIdentityAndKeepsTheRestOfTheLastAddition) {
    fake.calendar.longDate = "a long date";
    tray.AddTrayIcon(1, 6);
    tray.DeleteTrayIcon(IconKind::Month, 12);
    ASSERT_EQ(fake.tray.calls.size(), 2u);
    const auto& [command, record] = fake.tray.calls.back();
    EXPECT_EQ(command, TrayCommand::Delete);
    EXPECT_EQ(record.hWnd, MonthWindow(12));
    EXPECT_EQ(record.uID, 1u);
    // Flags, icon and tooltip are those of the day icon added before.
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.hIcon, DayIcon(6));
    EXPECT_STREQ(record.szTip.data(), "Today is: a long date");

    fake.tray.calls.clear();
    for (const auto& [kind, index] : {std::pair{IconKind::Day, 0}, {IconKind::Month, 13}}) {
        tray.DeleteTrayIcon(kind, index);
    }
    EXPECT_TRUE(fake.tray.calls.empty());
    EXPECT_TRUE(fake.messages.shown.empty());
}

}  // namespace
}  // namespace datrelle
