// The main window's geometry and states in twips, on a real window, in-process.

#include "win32/Win32Window.h"

#include <gtest/gtest.h>

#include <functional>

#include "form/Twips.h"
#include "viewer/WindowLayout.h"

namespace datrelle::win32 {
namespace {

constexpr const char* kTestWindowClass = "DatrelleWin32WindowTest";
constexpr UINT kFirstItem = 101;
constexpr UINT kSecondItem = 102;

// A top-level window like Form1: it reports WM_SIZE and WM_COMMAND to the test.
struct TestWindow {
    int sizeEvents = 0;
    std::function<void()> onSize;
    std::vector<UINT> commands;
};

LRESULT CALLBACK TestWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        SetWindowLongPtrA(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    }
    auto* test = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (test != nullptr) {
        if (message == WM_SIZE) {
            ++test->sizeEvents;
            if (test->onSize) {
                test->onSize();
            }
            return 0;
        }
        if (message == WM_COMMAND) {
            test->commands.push_back(LOWORD(wParam));
            return 0;
        }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int Dpi(HWND window) {
    const UINT dpi = GetDpiForWindow(window);
    return dpi != 0 ? static_cast<int>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

RECT PixelsOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ClientPixelsOf(HWND child) {
    RECT rect = PixelsOf(child);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class Win32WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = TestWindowProc;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kTestWindowClass;
        ASSERT_TRUE(RegisterClassExA(&windowClass) != 0 ||
                    GetLastError() == ERROR_CLASS_ALREADY_EXISTS);
        main = CreateWindowExA(0, kTestWindowClass, "Form1", WS_OVERLAPPEDWINDOW, 40, 30, 700, 500,
                               nullptr, nullptr, instance, &test);
        ASSERT_NE(main, nullptr);
        notes = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, main, nullptr,
                                instance, nullptr);
        browser = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, main,
                                  nullptr, instance, nullptr);
        popup = CreatePopupMenu();
        ASSERT_NE(popup, nullptr);
        AppendMenuA(popup, MF_STRING, kFirstItem, "One");
        AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(popup, MF_STRING, kSecondItem, "Two");
        window.Attach(main, notes, browser, popup);
        dpi = Dpi(main);
    }
    void TearDown() override {
        test.onSize = nullptr;
        DestroyMenu(popup);
        DestroyWindow(main);
    }

    int Pixels(float twips) const { return TwipsToPixels(twips, dpi); }

    // The window's resize events run the program's layout, as in the real window.
    void FollowWithLayout() {
        test.onSize = [this] { layout.OnResize(); };
    }

    TestWindow test;
    HWND main = nullptr;
    HWND notes = nullptr;
    HWND browser = nullptr;
    HMENU popup = nullptr;
    int dpi = USER_DEFAULT_SCREEN_DPI;
    Win32Window window;
    WindowLayout layout{window};
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

TEST_F(Win32WindowTest, ADragOfOnePixelIsReadFromTheWindow) {
    window.SetWidth(6025);
    window.SetLeft(1000);
    const RECT before = PixelsOf(main);
    SetWindowPos(main, nullptr, before.left, before.top, before.right - before.left + 1,
                 before.bottom - before.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // The window's own pixels replace every measure the logic had set.
    const WindowRect read = window.Rect();
    EXPECT_FLOAT_EQ(read.width,
                    static_cast<float>(PixelsToTwips(before.right - before.left + 1, dpi)));
    EXPECT_FLOAT_EQ(read.left, static_cast<float>(PixelsToTwips(before.left, dpi)));
    // Saved and restored in a new run, the dragged size comes back to the pixel.
    Win32Window nextRun(main, notes, browser, popup);
    SetWindowPos(main, nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOACTIVATE);
    for (int run = 0; run < 50; ++run) {
        nextRun.SetWidth(read.width);
        nextRun.SetLeft(read.left);
        const RECT after = PixelsOf(main);
        ASSERT_EQ(after.right - after.left, before.right - before.left + 1) << run;
        ASSERT_EQ(after.left, before.left) << run;
        nextRun.Attach(main, notes, browser, popup);
    }
}

TEST_F(Win32WindowTest, SizeChangesRaiseTheResizeEventBeforeReturning) {
    window.SetWidth(9000);
    const int events = test.sizeEvents;
    int seenWidth = 0;
    test.onSize = [&] { seenWidth = static_cast<int>(window.Rect().width); };
    window.SetWidth(9015);
    EXPECT_EQ(test.sizeEvents, events + 1);
    EXPECT_EQ(seenWidth, 9015);
    // The same size again, or a new place, raises nothing.
    window.SetWidth(9015);
    window.SetLeft(600);
    EXPECT_EQ(test.sizeEvents, events + 1);
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
    EXPECT_EQ(window.State(), kWindowMinimized);
    window.SetState(kWindowNormal);
    EXPECT_FALSE(IsIconic(main));
    EXPECT_EQ(window.State(), kWindowNormal);
    window.SetVisible(false);
    EXPECT_FALSE(IsWindowVisible(main));
}

TEST_F(Win32WindowTest, SystemMinimiseAndMaximiseEndNormalAtTheSameSize) {
    FollowWithLayout();
    window.SetVisible(true);
    const WindowRect wanted{600, 450, 9000, 6000};
    window.SetLeft(wanted.left);
    window.SetTop(wanted.top);
    window.SetWidth(wanted.width);
    window.SetHeight(wanted.height);
    for (const int command : {SW_MINIMIZE, SW_MAXIMIZE, SW_SHOWMINIMIZED}) {
        SCOPED_TRACE(command);
        ShowWindow(main, command);
        EXPECT_FALSE(IsIconic(main));
        EXPECT_FALSE(IsZoomed(main));
        EXPECT_EQ(window.State(), kWindowNormal);
        EXPECT_EQ(window.Rect(), wanted);
    }
}

TEST_F(Win32WindowTest, DragBelowTheMinimumSnapsBackAndSizesThePanels) {
    FollowWithLayout();
    window.SetVisible(true);
    SetWindowPos(main, nullptr, 50, 60, 120, 90, SWP_NOZORDER | SWP_NOACTIVATE);
    const WindowRect read = window.Rect();
    EXPECT_EQ(read.width, MinimumWindowWidth());
    EXPECT_EQ(read.height, MinimumWindowHeight());
    const RECT pixels = PixelsOf(main);
    EXPECT_EQ(pixels.right - pixels.left, Pixels(MinimumWindowWidth()));
    EXPECT_EQ(pixels.bottom - pixels.top, Pixels(MinimumWindowHeight()));
    // The notes box is empty at this width, the browser panel 200 twips high.
    const RECT notesPlace = ClientPixelsOf(notes);
    EXPECT_EQ(notesPlace.left, Pixels(5925));
    EXPECT_EQ(notesPlace.right, notesPlace.left);
    EXPECT_EQ(notesPlace.bottom - notesPlace.top, Pixels(2190));
    const RECT browserPlace = ClientPixelsOf(browser);
    EXPECT_EQ(browserPlace.left, Pixels(-75));
    EXPECT_EQ(browserPlace.top, Pixels(2625));
    EXPECT_EQ(browserPlace.right, Pixels(-75 + MinimumWindowWidth() - 100));
    EXPECT_EQ(browserPlace.bottom, Pixels(2625 + 200));
}

TEST_F(Win32WindowTest, TheThreeModes) {
    FollowWithLayout();
    window.SetVisible(true);
    const ScreenSize screen = window.Screen();
    EXPECT_FLOAT_EQ(screen.width,
                    static_cast<float>(PixelsToTwips(GetSystemMetrics(SM_CXSCREEN), dpi)));
    EXPECT_FLOAT_EQ(screen.height,
                    static_cast<float>(PixelsToTwips(GetSystemMetrics(SM_CYSCREEN), dpi)));

    layout.Maximize();
    EXPECT_EQ(window.Rect(), (WindowRect{0, 0, screen.width, screen.height - 400}));
    RECT pixels = PixelsOf(main);
    EXPECT_EQ(pixels.left, 0);
    EXPECT_EQ(pixels.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(pixels.bottom, Pixels(screen.height - 400));
    EXPECT_EQ(ClientPixelsOf(browser).right, Pixels(-75 + screen.width - 100));

    window.SetWidth(7000);
    window.SetHeight(5000);
    layout.Dock();
    EXPECT_EQ(window.Rect(),
              (WindowRect{screen.width - 7000, screen.height - 5000 - 800, 7000, 5000}));
    EXPECT_TRUE(IsWindowVisible(main));

    layout.MinimizeToTray();
    EXPECT_FALSE(IsWindowVisible(main));
    EXPECT_EQ(window.Rect(), (WindowRect{screen.width - MinimumWindowWidth(),
                                         screen.height - MinimumWindowHeight() - 800,
                                         MinimumWindowWidth(), MinimumWindowHeight()}));
    pixels = PixelsOf(main);
    EXPECT_EQ(pixels.left, Pixels(screen.width - MinimumWindowWidth()));
    EXPECT_EQ(pixels.right - pixels.left, Pixels(MinimumWindowWidth()));
}

TEST_F(Win32WindowTest, OnSomeMonitorWhenItTouchesAWorkArea) {
    const ScreenSize screen = window.Screen();
    struct Case {
        WindowRect rect;
        bool expected;
    };
    const Case cases[] = {
        {{0, 0, 6025, 2925}, true},
        {{screen.width - 150, screen.height / 2, 6025, 2925}, true},
        {{screen.width + 15, 0, 6025, 2925}, false},
        {{-6025, 0, 6025, 2925}, false},
        {{-6010, 0, 6025, 2925}, true},
        {{-100000, -100000, 6025, 2925}, false},
        {{0, 0, 0, 0}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rect.left << "," << c.rect.top);
        EXPECT_EQ(window.OnSomeMonitor(c.rect), c.expected);
    }
}

// Waits for the popup menu of this process and chooses its second item with the
// keyboard, as a user would.
DWORD WINAPI ChooseSecondItem(LPVOID) {
    for (int wait = 0; wait < 250; ++wait) {
        const HWND menu = FindWindowA("#32768", nullptr);
        if (menu != nullptr && IsWindowVisible(menu)) {
            PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
            return 0;
        }
        Sleep(20);
    }
    return 1;
}

TEST_F(Win32WindowTest, PopupMenuRunsTheChosenItemBeforeItReturns) {
    window.SetVisible(true);
    const HANDLE chooser = CreateThread(nullptr, 0, ChooseSecondItem, nullptr, 0, nullptr);
    ASSERT_NE(chooser, nullptr);
    window.ShowPopupMenu();
    WaitForSingleObject(chooser, 10000);
    DWORD found = 1;
    GetExitCodeThread(chooser, &found);
    CloseHandle(chooser);
    ASSERT_EQ(found, 0u) << "no popup menu appeared";
    EXPECT_EQ(test.commands, std::vector<UINT>{kSecondItem});
    // The message that lets the menu's loop end is waiting in the queue.
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, main, WM_NULL, WM_NULL, PM_REMOVE));
}

TEST_F(Win32WindowTest, CloseIsPostedNotRunAtOnce) {
    window.Close();
    EXPECT_TRUE(IsWindow(main));
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, main, WM_CLOSE, WM_CLOSE, PM_REMOVE));
}

TEST_F(Win32WindowTest, CaptionIsTheWindowsText) {
    window.SetCaption("Example page - Datrelle");
    char text[64] = "";
    GetWindowTextA(main, text, sizeof text);
    EXPECT_STREQ(text, "Example page - Datrelle");
}

}  // namespace
}  // namespace datrelle::win32
