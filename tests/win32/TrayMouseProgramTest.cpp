// The real program's tray clicks, popup menu and window modes, driven from outside as
// the shell and a user would: the tray's callback message posted to an icon's owner,
// keys posted to the popup menu, the mode buttons clicked.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <optional>
#include <string>

#include "RunningProgram.h"
#include "win32/Win32Clipboard.h"

namespace datrelle::testing {
namespace {

constexpr UINT kTrayCallback = 512;
constexpr const char* kMarker = "nothing copied yet";

std::string TodayIn(DWORD format) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[128] = "";
    const int length = GetDateFormatA(LOCALE_USER_DEFAULT, format, &now, nullptr, text,
                                      static_cast<int>(sizeof text));
    return length > 0 ? std::string(text, static_cast<std::size_t>(length - 1)) : std::string();
}

std::optional<std::string> ClipboardText() {
    std::optional<std::string> text;
    if (OpenClipboard(nullptr)) {
        const HANDLE data = GetClipboardData(CF_TEXT);
        if (const auto* chars = data ? static_cast<const char*>(GlobalLock(data)) : nullptr) {
            text = chars;
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    return text;
}

// Waits while handling this thread's messages. The test's window owns the clipboard's
// earlier content, and the program's EmptyClipboard sends that owner a message and
// waits up to five seconds for its answer.
template <typename Condition>
bool WaitPumping(Condition condition,
                 std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        Sleep(10);
    }
}

void Pump(std::chrono::milliseconds time) {
    WaitPumping([] { return false; }, time);
}

int Px(double twips, int dpi) {
    return static_cast<int>(std::lround(twips * dpi / 1440));
}

double Twips(int pixels, int dpi) {
    return static_cast<double>(pixels) * 1440 / dpi;
}

// The popup menu the program shows, or nullptr.
HWND ShownMenu(DWORD processId) {
    std::pair<DWORD, HWND> search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM lParam) -> BOOL {
            auto& [id, found] = *reinterpret_cast<std::pair<DWORD, HWND>*>(lParam);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            found = owner == id && ClassName(window) == "#32768" && IsWindowVisible(window) ? window
                                                                                            : found;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.second;
}

class TrayMouseProgramTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The test's own window owns what it puts on the clipboard: without an owner,
        // setting clipboard data fails.
        owner = CreateWindowExA(0, "STATIC", "test clipboard owner", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
        clipboard.SetOwner(owner);
        ASSERT_TRUE(PutOnClipboard(kMarker));
        ASSERT_TRUE(program.Start());
        SYSTEMTIME today;
        GetLocalTime(&today);
        dayHolder = program.DayHolder(today.wDay);
        monthHolder = program.MonthHolder(today.wMonth);
        ASSERT_NE(dayHolder, nullptr);
        ASSERT_NE(monthHolder, nullptr);
        main = program.mainWindow();
        dpi = static_cast<int>(GetDpiForWindow(main));
        ASSERT_GT(dpi, 0);
    }
    void TearDown() override { DestroyWindow(owner); }

    bool PutOnClipboard(const char* text) { return clipboard.SetText(text); }

    // What the shell does for a mouse event over an icon.
    void Mouse(HWND holder, int mouseMessage) const {
        PostMessageA(holder, kTrayCallback, 1, mouseMessage);
    }

    bool ClipboardBecomes(const std::string& text) const {
        return WaitPumping([&] { return ClipboardText() == text; });
    }

    // Gives what was posted time to be handled: a sent message alone would overtake it.
    void Settle() const {
        Pump(std::chrono::milliseconds(300));
        DWORD_PTR result = 0;
        SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &result);
    }

    HWND ShownMenu() const { return datrelle::testing::ShownMenu(program.processId()); }

    RECT Pixels() const {
        RECT rect{};
        GetWindowRect(main, &rect);
        return rect;
    }

    void Click(const char* caption) const {
        const HWND button = program.Child("Button", caption);
        ASSERT_NE(button, nullptr) << caption;
        program.Send(button, BM_CLICK);
    }

    RunningProgram program;
    HWND owner = nullptr;
    win32::Win32Clipboard clipboard;
    HWND main = nullptr;
    HWND dayHolder = nullptr;
    HWND monthHolder = nullptr;
    int dpi = 96;
};

// Chosen from the popup menu with the keyboard, the long date is copied, and is what a
// left click copies from then on, also in the next run.
TEST_F(TrayMouseProgramTest, LongDateChosenFromTheMenuIsKeptAcrossARestart) {
    Mouse(monthHolder, WM_RBUTTONDOWN);
    HWND menu = nullptr;
    ASSERT_TRUE(WaitPumping([&] { return (menu = ShownMenu()) != nullptr; }));
    // From the bottom: Exit, then (past the separator) the short and the long date.
    for (int up = 0; up < 3; ++up) {
        PostMessageA(menu, WM_KEYDOWN, VK_UP, 0);
    }
    PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(ClipboardBecomes(TodayIn(DATE_LONGDATE)));
    EXPECT_TRUE(WaitPumping([&] { return ShownMenu() == nullptr; }));
    ASSERT_TRUE(PutOnClipboard(kMarker));
    Mouse(dayHolder, WM_LBUTTONUP);
    EXPECT_TRUE(ClipboardBecomes(TodayIn(DATE_LONGDATE)));
    ASSERT_EQ(program.Close(), 0u);

    RunningProgram next;
    ASSERT_TRUE(CopyFileA((program.folder() + "\\Datrelle.ini").c_str(),
                          (next.folder() + "\\Datrelle.ini").c_str(), FALSE));
    ASSERT_TRUE(next.Start());
    ASSERT_TRUE(PutOnClipboard(kMarker));
    SYSTEMTIME today;
    GetLocalTime(&today);
    Mouse(next.DayHolder(today.wDay), WM_LBUTTONUP);
    EXPECT_TRUE(ClipboardBecomes(TodayIn(DATE_LONGDATE)));
}

TEST_F(TrayMouseProgramTest, MinimizeHidesAtTheCornerAndADoubleClickBringsItBack) {
    Click("Mi&nimize");
    ASSERT_TRUE(WaitPumping([&] { return !IsWindowVisible(main); }));
    const double screenHeight = Twips(GetSystemMetrics(SM_CYSCREEN), dpi);
    RECT rect = Pixels();
    EXPECT_EQ(rect.right - rect.left, Px(6025, dpi));
    EXPECT_EQ(rect.bottom - rect.top, Px(2925, dpi));
    EXPECT_EQ(rect.left, Px(Twips(GetSystemMetrics(SM_CXSCREEN), dpi) - 6025, dpi));
    EXPECT_EQ(rect.top, Px(screenHeight - 2925 - 800, dpi));

    // The shell's double click: a release, the double click, a release.
    for (const int message : {WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
        Mouse(dayHolder, message);
    }
    ASSERT_TRUE(WaitPumping([&] { return IsWindowVisible(main) != FALSE; }));
    Settle();
    EXPECT_FALSE(IsIconic(main));
    EXPECT_EQ(Pixels().right - Pixels().left, Px(6025, dpi));
    EXPECT_EQ(ClipboardText(), TodayIn(DATE_SHORTDATE));
}

TEST_F(TrayMouseProgramTest, GeometryOfMaximizeDockTheSystemCommandsAndBelowTheMinimum) {
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const double screenHeight = Twips(GetSystemMetrics(SM_CYSCREEN), dpi);
    Click("Ma&ximize");
    RECT rect = Pixels();
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, screenWidth);
    EXPECT_EQ(rect.bottom, Px(screenHeight - 400, dpi));
    EXPECT_FALSE(IsZoomed(main));

    SetWindowPos(main, nullptr, 20, 30, 600, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    Click("Dock");
    rect = Pixels();
    EXPECT_EQ(rect.right - rect.left, 600);
    EXPECT_EQ(rect.bottom - rect.top, 400);
    EXPECT_EQ(rect.right, screenWidth);
    EXPECT_EQ(rect.top, Px(screenHeight - Twips(400, dpi) - 800, dpi));

    // The system's own minimize and maximize leave the window normal at its size.
    for (const WPARAM command : {SC_MINIMIZE, SC_MAXIMIZE}) {
        SCOPED_TRACE(command);
        program.Send(main, WM_SYSCOMMAND, command);
        EXPECT_FALSE(IsIconic(main));
        EXPECT_FALSE(IsZoomed(main));
        EXPECT_EQ(Pixels().right - Pixels().left, 600);
    }

    // Below the minimum the window snaps back, and the notes box is then empty.
    SetWindowPos(main, nullptr, 20, 30, 60, 40, SWP_NOZORDER | SWP_NOACTIVATE);
    Settle();
    EXPECT_EQ(Pixels().right - Pixels().left, Px(6025, dpi));
    EXPECT_EQ(Pixels().bottom - Pixels().top, Px(2925, dpi));
    const HWND notes = program.Child("Edit", "... Double-Click to load text file ...\r\n");
    ASSERT_NE(notes, nullptr);
    RECT notesRect{};
    GetWindowRect(notes, &notesRect);
    EXPECT_EQ(notesRect.right - notesRect.left, 0);
}

TEST_F(TrayMouseProgramTest, CopyingWhileAnotherProgramHoldsTheClipboardGivesUp) {
    ASSERT_TRUE(OpenClipboard(owner));
    Mouse(dayHolder, WM_LBUTTONUP);
    Pump(std::chrono::milliseconds(500));
    // Still answering, and still running, while the clipboard is held.
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_BLOCK, 2000, &result), 0);
    CloseClipboard();
    EXPECT_EQ(ClipboardText(), kMarker);
    // Once free, a left click copies the short date at first.
    Mouse(dayHolder, WM_LBUTTONUP);
    EXPECT_TRUE(ClipboardBecomes(TodayIn(DATE_SHORTDATE)));
}

}  // namespace
}  // namespace datrelle::testing
