// The Win32 side of the tray, the calendar and the icon resources, in-process.

#include "win32/Win32Tray.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "RunningProgram.h"
#include "resource.h"
#include "tray/SysTray.h"
#include "win32/Win32Calendar.h"

namespace datrelle::win32 {
namespace {

class Win32TrayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        owner = CreateWindowExA(0, "STATIC", "owner", 0, 0, 0, 0, 0, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
    }
    void TearDown() override {
        testing::RemoveTrayIcon(owner);
        DestroyWindow(owner);
    }

    NotifyRecord Record() const {
        NotifyRecord record;
        record.cbSize = kNotifyRecordSize;
        record.hWnd = reinterpret_cast<WindowHandle>(owner);
        record.uID = kTrayIconId;
        record.uFlags = kTrayIconFlags;
        record.uCallbackMessage = kTrayCallbackMessage;
        record.hIcon = reinterpret_cast<IconHandle>(LoadIconA(nullptr, MAKEINTRESOURCEA(32512)));
        record.szTip = MakeTooltip("a date");
        return record;
    }

    HWND owner = nullptr;
    IconHolders noHolders;
};

TEST_F(Win32TrayTest, AddsAndDeletesTheIconOfAWindow) {
    Win32Tray tray{noHolders};
    EXPECT_TRUE(tray.Notify(TrayCommand::Add, Record()));
    EXPECT_TRUE(testing::TrayHasIcon(owner));
    // The shell refuses a second icon with the same owner and number.
    EXPECT_FALSE(tray.Notify(TrayCommand::Add, Record()));
    EXPECT_TRUE(tray.Notify(TrayCommand::Delete, Record()));
    EXPECT_FALSE(testing::TrayHasIcon(owner));
    EXPECT_FALSE(tray.Notify(TrayCommand::Delete, Record()));
}

TEST(Win32CalendarTest, TodayAndTheRegionalForms) {
    const Win32Calendar calendar;
    SYSTEMTIME now;
    GetLocalTime(&now);
    const CivilDate today = calendar.Today();
    EXPECT_EQ(today.year, now.wYear);
    EXPECT_EQ(today.month, now.wMonth);
    EXPECT_EQ(today.day, now.wDay);
    const CivilDate date{2026, 12, 6};
    EXPECT_NE(calendar.LongDate(date).find("2026"), std::string::npos);
    EXPECT_NE(calendar.ShortDate(date).find("6"), std::string::npos);
    // The long form names the day of the week, which the calendar works out itself.
    char weekday[64];
    SYSTEMTIME sunday{};
    sunday.wYear = 2026;
    sunday.wMonth = 12;
    sunday.wDay = 6;
    sunday.wDayOfWeek = 0;
    ASSERT_GT(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &sunday, "dddd", weekday, sizeof weekday), 0);
    EXPECT_NE(calendar.LongDate(date).find(weekday), std::string::npos);
    EXPECT_LE(calendar.LongDate(date).size(), 53u) << "would be cut in the tooltip";
}

#pragma pack(push, 2)
struct IconGroupEntry {
    BYTE width;
    BYTE height;
    BYTE colourCount;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

// The sizes and colour depths of the images in one icon resource of the program.
std::vector<std::pair<int, int>> IconImages(int id) {
    const HMODULE module = GetModuleHandleA(nullptr);
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));
    if (found == nullptr) {
        return {};
    }
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
    const WORD count = *reinterpret_cast<const WORD*>(data + 4);
    std::vector<std::pair<int, int>> images;
    for (WORD i = 0; i < count; ++i) {
        IconGroupEntry entry;
        std::memcpy(&entry, data + 6 + i * sizeof entry, sizeof entry);
        images.emplace_back(entry.width, entry.bitCount);
    }
    std::sort(images.begin(), images.end());
    return images;
}

TEST(IconResourceTest, EveryDateIconHoldsEachTraySizeInSixteenColours) {
    const std::vector<std::pair<int, int>> expected{{16, 4}, {20, 4}, {24, 4}, {32, 4}};
    for (int day = 1; day <= 31; ++day) {
        EXPECT_EQ(IconImages(IDI_DAY_BASE + day), expected) << "day " << day;
    }
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(IconImages(IDI_MONTH_BASE + month), expected) << "month " << month;
    }
}

TEST(IconResourceTest, WindowIconIsThirtyTwoPixelsInSixteenColours) {
    const auto images = IconImages(IDI_APP);
    EXPECT_NE(std::find(images.begin(), images.end(), std::pair{32, 4}), images.end());
}

}  // namespace
}  // namespace datrelle::win32
