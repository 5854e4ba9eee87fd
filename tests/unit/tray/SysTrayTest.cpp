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

std::string TipText(const std::array<char, 64>& tip) {
    return std::string(tip.data());
}

class SysTrayTest : public ::testing::Test {
  protected:
    FakePlatform fake;
    SharedVariables vars;
    SysTray tray{fake.platform, vars};
};

TEST(MakeTooltipTest, TextThenOneNulThenBlanks) {
    const auto tip = MakeTooltip("Sunday, December 06, 2026");
    const std::string field(tip.begin(), tip.end());
    EXPECT_EQ(field,
              std::string("Today is: Sunday, December 06, 2026") + '\0' + std::string(28, ' '));
}

TEST(MakeTooltipTest, KeepsItsNulWhateverTheLengthOfTheDate) {
    struct Case {
        std::size_t dateLength;
        std::size_t textLength;
    };
    // 53 characters of date fill the field up to its last byte, which the NUL needs.
    for (const Case c : {Case{0, 10}, Case{52, 62}, Case{53, 63}, Case{54, 63}, Case{200, 63}}) {
        const auto tip = MakeTooltip(std::string(c.dateLength, 'x'));
        SCOPED_TRACE(c.dateLength);
        EXPECT_EQ(TipText(tip).size(), c.textLength);
        EXPECT_EQ(tip[c.textLength], '\0');
        for (std::size_t i = c.textLength + 1; i < tip.size(); ++i) {
            EXPECT_EQ(tip[i], ' ') << i;
        }
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
         {Case{1, 6, DayWindow(6), DayIcon(6)}, Case{0, 5, DayWindow(5), DayIcon(5)},
          Case{-3, 31, DayWindow(31), DayIcon(31)}, Case{2, 12, MonthWindow(12), MonthIcon(12)},
          Case{2, 1, MonthWindow(1), MonthIcon(1)}}) {
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
        EXPECT_EQ(TipText(record.szTip), "Today is: Sunday, December 06, 2026");
        EXPECT_EQ(c.kind == 2 ? vars.CurMonth : vars.CurDay, c.index);
    }
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(SysTrayTest, IndexOutsideOneToThirtyOneOnlyShowsTheMessage) {
    tray.AddTrayIcon(1, 6);
    tray.AddTrayIcon(2, 12);
    const NotifyRecord before = tray.NotifyData();
    const auto callsBefore = fake.tray.calls.size();
    for (const std::int16_t kind : {1, 2}) {
        for (const std::int16_t index : {0, 32, -1}) {
            tray.AddTrayIcon(kind, index);
        }
    }
    EXPECT_EQ(fake.messages.shown, std::vector<std::string>(6, "No icon specified"));
    EXPECT_EQ(fake.tray.calls.size(), callsBefore);
    EXPECT_EQ(vars.CurDay, 6);
    EXPECT_EQ(vars.CurMonth, 12);
    EXPECT_EQ(tray.NotifyData(), before);
}

TEST_F(SysTrayTest, KindWithoutSuchAnElementSendsNothing) {
    tray.AddTrayIcon(2, 3);
    const NotifyRecord before = tray.NotifyData();
    const auto callsBefore = fake.tray.calls.size();
    // The month set ends at 12, and there is no third set: sending the record would
    // add an earlier icon again with the handles left from the last call.
    for (const auto& [kind, index] :
         {std::pair<std::int16_t, std::int16_t>{2, 13}, {2, 31}, {3, 5}}) {
        tray.AddTrayIcon(kind, index);
    }
    EXPECT_EQ(fake.tray.calls.size(), callsBefore);
    EXPECT_EQ(tray.NotifyData(), before);
    EXPECT_EQ(vars.CurMonth, 3);
    EXPECT_EQ(vars.CurDay, 0);
    EXPECT_TRUE(fake.messages.shown.empty());
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
    EXPECT_EQ(record.cbSize, 88u);
    EXPECT_EQ(record.uCallbackMessage, 512u);
    // Flags, icon and tooltip are those of the day icon added before.
    EXPECT_EQ(record.uFlags, 7u);
    EXPECT_EQ(record.hIcon, DayIcon(6));
    EXPECT_EQ(TipText(record.szTip), "Today is: a long date");
}

TEST_F(SysTrayTest, DeletingANonexistentElementSendsNothing) {
    for (const auto& [kind, index] : {std::pair{IconKind::Day, 0},
                                      {IconKind::Month, 0},
                                      {IconKind::Month, 13},
                                      {IconKind::Day, 32}}) {
        tray.DeleteTrayIcon(kind, index);
    }
    EXPECT_TRUE(fake.tray.calls.empty());
    EXPECT_TRUE(fake.messages.shown.empty());
}

TEST_F(SysTrayTest, DayAndMonthIconsAreSeparateIconsWithTheSameId) {
    tray.AddTrayIcon(1, 6);
    tray.AddTrayIcon(2, 12);
    EXPECT_TRUE(fake.tray.Shows(DayWindow(6)));
    EXPECT_TRUE(fake.tray.Shows(MonthWindow(12)));
    tray.DeleteTrayIcon(IconKind::Month, 12);
    EXPECT_TRUE(fake.tray.Shows(DayWindow(6)));
    EXPECT_FALSE(fake.tray.Shows(MonthWindow(12)));
}

}  // namespace
}  // namespace datrelle
