// The real clipboard, in-process: the text arrives as plain text, and a clipboard that
// someone else holds open is given up on after a short, bounded wait.

#include "win32/Win32Clipboard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>

namespace datrelle::win32 {
namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

constexpr const char* kHoldVariable = "DATRELLE_HOLD_CLIPBOARD_MS";

std::optional<std::string> ClipboardText() {
    if (!OpenClipboard(nullptr)) {
        return std::nullopt;
    }
    std::optional<std::string> text;
    if (const HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const auto* chars = static_cast<const char*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

class Win32ClipboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        owner = CreateWindowExA(0, "STATIC", "clipboard owner", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(owner, nullptr);
        clipboard.SetOwner(owner);
    }
    void TearDown() override { DestroyWindow(owner); }

    // Times one attempt to copy.
    bool TimedSetText(const std::string& text, milliseconds& took) {
        const auto start = steady_clock::now();
        const bool copied = clipboard.SetText(text);
        took = std::chrono::duration_cast<milliseconds>(steady_clock::now() - start);
        return copied;
    }

    HWND owner = nullptr;
    Win32Clipboard clipboard;
};

TEST_F(Win32ClipboardTest, PutsTheTextOnTheClipboardReplacingWhatWasThere) {
    ASSERT_TRUE(clipboard.SetText("Sunday, 6 December 2026"));
    EXPECT_EQ(ClipboardText(), "Sunday, 6 December 2026");
    ASSERT_TRUE(clipboard.SetText("06/12/2026"));
    EXPECT_EQ(ClipboardText(), "06/12/2026");
    ASSERT_TRUE(clipboard.SetText(""));
    EXPECT_EQ(ClipboardText(), "");
    // The clipboard is closed again: anyone can open it.
    ASSERT_TRUE(OpenClipboard(nullptr));
    CloseClipboard();
}

// A window to hold the clipboard with. Wine lets anyone open a clipboard that was
// opened without a window, so a holder that means it opens it with one, as programs do.
HWND MakeHolderWindow() {
    return CreateWindowExA(0, "STATIC", "clipboard holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

// Holds the clipboard open on a thread of its own until told to let go.
class ThreadHoldingTheClipboard {
  public:
    ThreadHoldingTheClipboard()
        : opened_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          release_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          thread_(CreateThread(nullptr, 0, Hold, this, 0, nullptr)) {}
    ~ThreadHoldingTheClipboard() {
        Release();
        WaitForSingleObject(thread_, 5000);
        CloseHandle(thread_);
        CloseHandle(release_);
        CloseHandle(opened_);
    }
    ThreadHoldingTheClipboard(const ThreadHoldingTheClipboard&) = delete;
    ThreadHoldingTheClipboard& operator=(const ThreadHoldingTheClipboard&) = delete;

    bool WaitUntilHeld() { return WaitForSingleObject(opened_, 5000) == WAIT_OBJECT_0 && held_; }
    void Release() { SetEvent(release_); }

  private:
    static DWORD WINAPI Hold(LPVOID self) {
        auto& holder = *static_cast<ThreadHoldingTheClipboard*>(self);
        const HWND window = MakeHolderWindow();
        holder.held_ = window != nullptr && OpenClipboard(window) != FALSE;
        SetEvent(holder.opened_);
        WaitForSingleObject(holder.release_, 10000);
        if (holder.held_) {
            CloseClipboard();
        }
        DestroyWindow(window);
        return 0;
    }

    HANDLE opened_;
    HANDLE release_;
    HANDLE thread_;
    volatile bool held_ = false;
};

TEST_F(Win32ClipboardTest, GivesUpWithinAboutTwoHundredMillisecondsWhileAnotherThreadHoldsIt) {
    ASSERT_TRUE(clipboard.SetText("before"));
    {
        ThreadHoldingTheClipboard holder;
        ASSERT_TRUE(holder.WaitUntilHeld());
        milliseconds took{};
        EXPECT_FALSE(TimedSetText("after", took));
        // It did wait for the other side, but only briefly.
        EXPECT_GE(took.count(), 120);
        EXPECT_LE(took.count(), 1000);
    }
    EXPECT_EQ(ClipboardText(), "before");
    // Free again: the next copy works.
    EXPECT_TRUE(clipboard.SetText("after"));
    EXPECT_EQ(ClipboardText(), "after");
}

DWORD WINAPI ReleaseSoon(LPVOID holder) {
    Sleep(60);
    static_cast<ThreadHoldingTheClipboard*>(holder)->Release();
    return 0;
}

TEST_F(Win32ClipboardTest, WaitsOutABriefHold) {
    ThreadHoldingTheClipboard holder;
    ASSERT_TRUE(holder.WaitUntilHeld());
    const HANDLE timer = CreateThread(nullptr, 0, ReleaseSoon, &holder, 0, nullptr);
    ASSERT_NE(timer, nullptr);
    milliseconds took{};
    EXPECT_TRUE(TimedSetText("after a wait", took));
    WaitForSingleObject(timer, 5000);
    CloseHandle(timer);
    EXPECT_EQ(ClipboardText(), "after a wait");
}

// Run as a helper process by the next test: holds the clipboard for the time given in
// the environment, then lets go.
TEST(ClipboardHolderProcess, HoldsTheClipboard) {
    char value[16] = "";
    if (GetEnvironmentVariableA(kHoldVariable, value, sizeof value) == 0) {
        GTEST_SKIP() << "only run as a helper process";
    }
    const HWND window = MakeHolderWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(OpenClipboard(window));
    Sleep(static_cast<DWORD>(std::stoul(value)));
    CloseClipboard();
    DestroyWindow(window);
}

TEST_F(Win32ClipboardTest, GivesUpWhileAnotherProcessHoldsIt) {
    char self[MAX_PATH];
    ASSERT_GT(GetModuleFileNameA(nullptr, self, MAX_PATH), 0u);
    std::string commandLine =
        std::string("\"") + self + "\" --gtest_filter=ClipboardHolderProcess.HoldsTheClipboard";
    ASSERT_TRUE(SetEnvironmentVariableA(kHoldVariable, "3000"));
    // The helper's own test report would only confuse this one's: it gets no output.
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0,
                                        nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA(kHoldVariable, nullptr);
    ASSERT_TRUE(started);
    // The helper has the clipboard once this process can no longer open it.
    bool held = false;
    for (int wait = 0; wait < 200 && !held; ++wait) {
        if (OpenClipboard(nullptr)) {
            CloseClipboard();
            Sleep(20);
        } else {
            held = true;
        }
    }
    milliseconds took{};
    const bool copied = held && TimedSetText("while held", took);
    const bool helperStillHolds = WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT;
    WaitForSingleObject(process.hProcess, 10000);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_TRUE(held) << "the helper process never opened the clipboard";
    ASSERT_TRUE(helperStillHolds);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_FALSE(copied);
    EXPECT_LE(took.count(), 1000);
    EXPECT_TRUE(clipboard.SetText("after"));
    EXPECT_EQ(ClipboardText(), "after");
}

}  // namespace
}  // namespace datrelle::win32
