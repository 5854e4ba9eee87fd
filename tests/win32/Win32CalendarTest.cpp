// The date texts in the user's own regional formats.

#include "win32/Win32Calendar.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace datrelle::win32 {
namespace {

std::string LongDateFormat() {
    char format[100] = "";
    return GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLONGDATE, format, sizeof format) > 0 ? format
                                                                                            : "";
}

TEST(Win32CalendarTest, AUsersVeryLongFormatGivesTheWholeDateNotAnEmptyText) {
    // The user's formats belong to the Wine prefix: restored at once, and no other test
    // runs beside this one (see CMakeLists.txt).
    const std::string saved = LongDateFormat();
    ASSERT_FALSE(saved.empty());
    // Near the longest format the system allows: the day's name sixteen times.
    std::string format = "dddd";
    for (int i = 1; i < 16; ++i) {
        format += " dddd";
    }
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLONGDATE, format.c_str()));
    ASSERT_EQ(LongDateFormat(), format);

    const CivilDate wednesday{2024, 9, 4};
    const std::string text = Win32Calendar().LongDate(wednesday);
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SLONGDATE, saved.c_str());

    SYSTEMTIME time{};
    time.wYear = 2024;
    time.wMonth = 9;
    time.wDay = 4;
    char dayName[80] = "";
    ASSERT_GT(GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, "dddd", dayName, sizeof dayName), 0);
    std::string expected = dayName;
    for (int i = 1; i < 16; ++i) {
        expected += std::string(" ") + dayName;
    }
    EXPECT_GT(expected.size(), 128u);
    EXPECT_EQ(text, expected);
}

}  // namespace
}  // namespace datrelle::win32
