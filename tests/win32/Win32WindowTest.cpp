// The main window's geometry and states in twips, on a real window, in-process.

#include "win32/Win32Window.h"

#include <gtest/gtest.h>

#include "form/Twips.h"

namespace datrelle::win32 {
namespace {

RECT PixelsOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

class Win32WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        main = CreateWindowExA(0, "STATIC", "Form1", WS_OVERLAPPEDWINDOW, 40, 30, 700, 500, nullptr,
                               nullptr, instance, nullptr);
        ASSERT_NE(main, nullptr);
        notes = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, main, nullptr,
                                instance, nullptr);
        browser = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, main,
                                  nullptr, instance, nullptr);
        window.Attach(main, notes, browser, nullptr);
        const UINT windowDpi = GetDpiForWindow(main);
        dpi = windowDpi != 0 ? static_cast<int>(windowDpi) : USER_DEFAULT_SCREEN_DPI;
    }
    void TearDown() override { DestroyWindow(main); }

    int Pixels(float twips) const { return TwipsToPixels(twips, dpi); }

    HWND main = nullptr;
    HWND notes = nullptr;
    HWND browser = nullptr;
    int dpi = USER_DEFAULT_SCREEN_DPI;
    Win32Window window;
};

TEST(TwipsConversionTest, PixelsReadAsTwipsConvertBackToThemselves) {
    // Whatever the DPI, a window's pixels read as single-precision twips, whether kept
    // as they are or rounded to whole twips as a settings file may, give the same
    // pixels back, so saving and restoring never changes a size.
    for (const int dpi : {96, 120, 144, 168, 192, 240, 288}) {
        for (int pixels = -4000; pixels <= 8000; ++pixels) {
            const auto twips = static_cast<float>(PixelsToTwips(pixels, dpi));
            ASSERT_EQ(TwipsToPixels(twips, dpi), pixels) << dpi;
            ASSERT_EQ(TwipsToPixels(std::round(twips), dpi), pixels) << dpi;
        }
    }
}

TEST_F(Win32WindowTest, TwipsSetAreReadBackExactlyCycleAfterCycle) {
    const WindowRect wanted{13175.5f, 8275, 6025, 2925.25f};
    window.SetLeft(wanted.left);
    window.SetTop(wanted.top);
    window.SetWidth(wanted.width);
    window.SetHeight(wanted.height);
    for (int cycle = 0; cycle < 500; ++cycle) {
        const WindowRect read = window.Rect();
        ASSERT_EQ(read, wanted) << cycle;
        window.SetWidth(read.width);
        window.SetLeft(read.left);
        window.SetHeight(read.height);
        window.SetTop(read.top);
    }
    const RECT pixels = PixelsOf(main);
    EXPECT_EQ(pixels.left, Pixels(wanted.left));
    EXPECT_EQ(pixels.top, Pixels(wanted.top));
    EXPECT_EQ(pixels.right - pixels.left, Pixels(wanted.width));
    EXPECT_EQ(pixels.bottom - pixels.top, Pixels(wanted.height));
    // Moving the window to the pixels it already has changes nothing.
    SetWindowPos(main, nullptr, pixels.left, pixels.top, pixels.right - pixels.left,
                 pixels.bottom - pixels.top, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(window.Rect(), wanted);
}

TEST_F(Win32WindowTest, HiddenWindowStaysHiddenWhateverItsState) {
    ASSERT_FALSE(window.Visible());
    window.SetState(kWindowMinimized);
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(window.State(), kWindowMinimized);
    window.SetState(kWindowNormal);
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(window.State(), kWindowNormal);
    // Shown, it takes the state it was given while hidden.
    window.SetState(kWindowMinimized);
    window.SetVisible(true);
    EXPECT_TRUE(IsWindowVisible(main));
    EXPECT_TRUE(IsIconic(main));
    window.SetState(kWindowNormal);
    EXPECT_FALSE(IsIconic(main));
    window.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(main));
}

}  // namespace
}  // namespace datrelle::win32
