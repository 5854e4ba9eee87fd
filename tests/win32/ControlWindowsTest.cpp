// The controls made from the inventory, in-process, where their fonts can be read.

#include "win32/ControlWindows.h"

#include <gtest/gtest.h>

#include "RunningProgram.h"

#include <string>

#include "win32/BrowserHost.h"

namespace datrelle::win32 {
namespace {

LOGFONTA FontOf(HWND control) {
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
    return font;
}

class ControlWindowsTest : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(RegisterBrowserHostClass(GetModuleHandleA(nullptr)));
        ASSERT_NE(parent.get(), nullptr);
        ASSERT_TRUE(controls.Create(parent.get(), GetModuleHandleA(nullptr), GetParam()));
    }

    ControlWindows controls;
    // Declared last: the windows go before the fonts and icons they were given.
    testing::TestWindow parent{900, 600};
};

TEST_P(ControlWindowsTest, FontsAndPlacesFollowTheDpi) {
    const int dpi = GetParam();
    const LOGFONTA title = FontOf(controls.Get(ControlId::Label1));
    EXPECT_STREQ(title.lfFaceName, "Verdana");
    EXPECT_EQ(title.lfWeight, FW_BOLD);
    EXPECT_EQ(title.lfHeight, -MulDiv(1425, dpi, 7200));  // 14.25 points
    EXPECT_EQ(FontOf(controls.Get(ControlId::Text1)).lfHeight, -MulDiv(12, dpi, 72));
    // Buttons use the system's message font, scaled to this DPI.
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0,
                                           static_cast<UINT>(dpi)));
    EXPECT_EQ(FontOf(controls.Get(ControlId::Command1)).lfHeight, metrics.lfMessageFont.lfHeight);

    RECT place;
    GetWindowRect(controls.Get(ControlId::Command5), &place);
    MapWindowPoints(HWND_DESKTOP, parent.get(), reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, MulDiv(4350, dpi, 1440));
    EXPECT_EQ(place.right, MulDiv(4350 + 1365, dpi, 1440));

    // The notes box takes more than the edit control's default 32,767 characters.
    const HWND notes = controls.Get(ControlId::Text1);
    std::string text;
    while (text.size() < 40000) {
        text += std::string(78, 'x') + "\r\n";
    }
    SetWindowTextA(notes, text.c_str());
    EXPECT_EQ(GetWindowTextLengthA(notes), static_cast<int>(text.size()));
}

INSTANTIATE_TEST_SUITE_P(Dpis, ControlWindowsTest, ::testing::Values(96, 120, 144, 192));

}  // namespace
}  // namespace datrelle::win32
