#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// The real Datrelle.exe, started from a fresh temporary folder and driven from outside
// as a user or the shell would: its windows found by class and caption, messages
// posted to them, its tray icons asked about through the shell.

namespace datrelle::testing {

class RunningProgram {
  public:
    // Copies Datrelle.exe (built beside the test program) into a new temporary folder,
    // optionally under another file name or in a sub-folder of that name (one with
    // spaces, say; DATRELLE_TEST_FOLDER gives the default), without starting it.
    explicit RunningProgram(const std::string& exeName = "Datrelle.exe",
                            const std::string& folderName = "");
    // The program where it is installed, left there when the test is done with it.
    struct InPlace {
        std::string folder;
    };
    explicit RunningProgram(InPlace installed);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    const std::string& folder() const { return folder_; }
    std::string settingsPath() const { return folder_ + "\\Datrelle.ini"; }
    std::string exePath() const { return folder_ + "\\" + exeName_; }

    // Starts the program and waits until its main window is shown; false on timeout.
    [[nodiscard]] bool Start(std::chrono::milliseconds timeout = std::chrono::milliseconds(5000));
    // Asks the main window to close and waits for the process to end. The exit code,
    // or nullopt when it did not end in time.
    std::optional<DWORD> Close();
    // Waits for the process to end by itself.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds timeout);

    HWND mainWindow() const { return mainWindow_; }
    DWORD processId() const { return processInfo_.dwProcessId; }
    bool Running() const;

    // The child window of the main window with this class and caption.
    HWND Child(const char* className, const char* caption) const;
    // The picture box that holds Picture1(day) or Picture2(month).
    HWND DayHolder(int day) const;
    HWND MonthHolder(int month) const;

    // Sends a message from this test process and waits for the program to handle it.
    LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  private:
    std::string base_;
    std::string folder_;
    std::string exeName_;
    PROCESS_INFORMATION processInfo_{};
    HWND mainWindow_ = nullptr;
};

// Whether the shell shows an icon owned by this window with number 1: asked by
// "modifying" it with no fields, which fails for an icon that is not there.
bool TrayHasIcon(HWND owner);
// Takes an icon out of the tray as the shell would when Explorer restarts.
bool RemoveTrayIcon(HWND owner);

// Polls until the condition holds or the timeout passes.
template <typename Condition>
bool WaitUntil(Condition condition,
               std::chrono::milliseconds timeout = std::chrono::milliseconds(5000)) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

// The control's own visible flag. IsWindowVisible also looks at the parents, and the
// program's window hides itself shortly after start-up.
inline bool Shown(HWND window) {
    return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

// The folder of this test program, where the build puts Datrelle.exe and the helpers.
std::string TestProgramFolder();
std::string WindowText(HWND window);
std::string ClassName(HWND window);
std::vector<HWND> Children(HWND parent);
// A plain top-level window of this test program, for controls made in-process;
// destroyed, with its children, when the test is done with it.
class TestWindow {
  public:
    TestWindow(int width, int height);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND get() const { return window_; }

  private:
    HWND window_;
};

// A new empty folder under the temporary folder.
std::string MakeTempFolder();
void RemoveFolder(const std::string& folder);

// A whole file's bytes ("" when it cannot be read), and a file written with exactly
// these bytes.
std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
// A settings value as the profile functions read it, "<missing>" when there is none.
std::string IniValue(const std::string& ini, const char* section, const char* key);

// A registry value's type and bytes as stored, or nullopt when there is none.
struct StoredValue {
    DWORD type;
    std::string bytes;
};
std::optional<StoredValue> ReadRegistryValue(HKEY root, const char* subKey,
                                             const std::string& name);

}  // namespace datrelle::testing
