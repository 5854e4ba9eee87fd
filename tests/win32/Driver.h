#pragma once

// Drives the real Datrelle.exe from outside as a user, the shell or Windows would: its
// windows found by class and caption, messages posted to them, its tray icons asked
// about through the shell, its dialogs answered; and the file, settings and registry
// helpers that the Wine test programs share.

#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>
#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "form/Inventory.h"
#include "launch/RegStuff.h"
#include "text/Unicode.h"
#include "win32/Unique.h"
#include "win32/WideText.h"
#include "win32/Win32CodePage.h"
#include "win32/WindowClasses.h"

namespace datrelle::testing {

using Ms = std::chrono::milliseconds;

template <typename Condition>
bool WaitUntil(Condition condition, Ms timeout = Ms(10000)) {
    for (const auto end = std::chrono::steady_clock::now() + timeout; !condition();) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        Sleep(20);
    }
    return true;
}

// The tests carry text as the program does, in UTF-8, and speak to Windows in UTF-16.
inline std::wstring W(std::string_view utf8) {
    return win32::WideFromUtf8(utf8);
}
inline std::string U8(std::wstring_view wide) {
    return win32::Utf8FromWide(wide);
}
inline std::filesystem::path PathOf(std::string_view utf8) {
    return std::filesystem::path(W(utf8));
}

inline std::string Replace(std::string text, const std::string& what, const std::string& by) {
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + by.size())) {
        text.replace(at, what.size(), by);
    }
    return text;
}

inline std::string ClassName(HWND window) {
    wchar_t name[256] = L"";
    return U8(std::wstring_view(
        name, static_cast<std::size_t>(GetClassNameW(window, name, std::size(name)))));
}

// WM_GETTEXT, as GetWindowText does not reach another process's edit box; every
// character of it.
inline std::string WindowText(HWND window) {
    wchar_t text[4096] = L"";
    const auto length =
        SendMessageW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return U8(std::wstring_view(text, static_cast<std::size_t>(length)));
}

inline std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM list) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

// A top-level window of this class ("#32770" dialog, "#32768" menu) and process (0 for
// any), shown, with this text ("" for any) as its own or in one of its children; nullptr
// when none came in time.
inline HWND WaitForWindow(DWORD processId, const wchar_t* className, const std::string& text = "",
                          Ms timeout = Ms(10000)) {
    HWND found = nullptr;
    const auto hasText = [&](HWND window) { return WindowText(window) == text; };
    WaitUntil(
        [&] {
            for (HWND window = nullptr;
                 !found && (window = FindWindowExW(nullptr, window, className, nullptr));) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if ((processId == 0 || owner == processId) && IsWindowVisible(window) &&
                    (text.empty() || hasText(window) ||
                     std::ranges::any_of(Children(window), hasText))) {
                    found = window;
                }
            }
            return found != nullptr;
        },
        timeout);
    return found;
}

// In screen pixels.
inline RECT Place(HWND window) {
    RECT place{};
    GetWindowRect(window, &place);
    return place;
}
inline std::pair<int, int> Size(HWND window) {
    const RECT place = Place(window);
    return {place.right - place.left, place.bottom - place.top};
}

// The window's own visible flag: IsWindowVisible also looks at the parents, and the
// program hides its window shortly after start-up.
inline bool Shown(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

// Whether the shell has the icon number 1 of this owner: "modifying" it with no
// fields fails for an icon that is not there. Deleting it is what a restarting
// Explorer does to every icon.
inline bool NotifyIcon(HWND owner, DWORD message) {
    NOTIFYICONDATAW data{};
    data.cbSize = NOTIFYICONDATAW_V1_SIZE;
    data.hWnd = owner;
    data.uID = 1;
    return Shell_NotifyIconW(message, &data) != FALSE;
}
inline bool TrayHasIcon(HWND owner) {
    return NotifyIcon(owner, NIM_MODIFY);
}

// Answers an Open dialog with this name, typed into its name field (an edit of that
// number, or the edit inside the combo box of that number), or cancels it when the name
// is empty; true once the dialog has closed.
inline bool Choose(HWND dialog, const std::string& name) {
    for (HWND child : Children(dialog)) {
        if (!name.empty() && ClassName(child) == "Edit" &&
            (GetDlgCtrlID(child) == cmb13 || GetDlgCtrlID(GetParent(child)) == cmb13)) {
            SendMessageW(child, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(W(name).c_str()));
        }
    }
    PostMessageW(dialog, WM_COMMAND, name.empty() ? IDCANCEL : IDOK, 0);
    return WaitUntil([dialog] { return !IsWindow(dialog); });
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream file(PathOf(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(PathOf(path), std::ios::binary) << bytes;
}

inline std::string TestProgramFolder() {
    wchar_t path[MAX_PATH];
    const std::string text =
        U8(std::wstring_view(path, GetModuleFileNameW(nullptr, path, MAX_PATH)));
    return text.substr(0, text.find_last_of('\\'));
}

// An environment variable's value, every character of it; "" when it is not set.
inline std::string EnvironmentValue(const char* name) {
    wchar_t value[MAX_PATH] = L"";
    return U8(std::wstring_view(value, GetEnvironmentVariableW(W(name).c_str(), value, MAX_PATH)));
}

inline std::string MakeTempFolder() {
    static std::atomic<int> counter{0};
    std::filesystem::path folder;
    do {
        folder = std::filesystem::temp_directory_path() /
                 ("datrelle-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                  std::to_string(counter++));
    } while (!std::filesystem::create_directory(folder));
    return U8(folder.wstring());
}

// A settings file's bytes for a text, as the program keeps one: in the ANSI code page
// while it spells every character, else in UTF-16 LE with its mark.
inline std::string SettingsFileBytes(const std::string& text) {
    return win32::Win32CodePage().Utf8ToAnsi(text).value_or("\xFF\xFE" + Utf16Bytes(text, false));
}

// The texts of the tray's tooltips, as the shell holds them: Wine's tray keeps a tooltip
// control per icon in its own process, where the record and the text must be placed.
inline std::vector<std::string> ShellTooltips() {
    DWORD shell = 0;
    GetWindowThreadProcessId(FindWindowW(L"Shell_TrayWnd", nullptr), &shell);
    const win32::UniqueHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, shell));
    std::vector<std::string> texts;
    constexpr std::size_t kTextOffset = 1024, kTextUnits = 1024;
    char* remote = process ? static_cast<char*>(VirtualAllocEx(process.get(), nullptr, 4096,
                                                               MEM_COMMIT, PAGE_READWRITE))
                           : nullptr;
    for (HWND tip = nullptr;
         remote && (tip = FindWindowExW(nullptr, tip, L"tooltips_class32", nullptr));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(tip, &owner);
        const auto count = owner == shell ? SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0) : 0;
        for (LRESULT tool = 0; tool < count; ++tool) {
            TTTOOLINFOW info{};
            info.cbSize = sizeof info;
            WriteProcessMemory(process.get(), remote, &info, sizeof info, nullptr);
            SendMessageW(tip, TTM_ENUMTOOLSW, static_cast<WPARAM>(tool),
                         reinterpret_cast<LPARAM>(remote));
            ReadProcessMemory(process.get(), remote, &info, sizeof info, nullptr);
            info.lpszText = reinterpret_cast<wchar_t*>(remote + kTextOffset);
            WriteProcessMemory(process.get(), remote, &info, sizeof info, nullptr);
            SendMessageW(tip, TTM_GETTEXTW, kTextUnits, reinterpret_cast<LPARAM>(remote));
            wchar_t text[kTextUnits] = L"";
            ReadProcessMemory(process.get(), remote + kTextOffset, text, sizeof text - 2, nullptr);
            texts.push_back(U8(text));
        }
    }
    if (remote) {
        VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    }
    return texts;
}

// The names in a folder, in order.
inline std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(PathOf(folder))) {
        names.push_back(U8(entry.path().filename().wstring()));
    }
    std::ranges::sort(names);
    return names;
}

// Read-only, hidden and system files too.
inline void RemoveFolder(const std::string& folder) {
    std::error_code ignored;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(PathOf(folder), ignored)) {
        SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    std::filesystem::remove_all(PathOf(folder), ignored);
}

// A settings value as the profile functions read it, "<missing>" when there is none.
inline std::string IniValue(const std::string& ini, const char* section, const char* key) {
    wchar_t value[1024] = L"";
    GetPrivateProfileStringW(W(section).c_str(), W(key).c_str(), L"<missing>", value,
                             std::size(value), W(ini).c_str());
    return U8(value);
}

inline constexpr const char* kRunKey = kRunSubKey.data();  // a literal: NUL-terminated

// The data of the value "Datrelle.exe" under this key: a string's in UTF-8 with its
// terminating NUL.
inline std::optional<std::string> RegistryValue(HKEY root, const char* subKey) {
    wchar_t data[1024];
    DWORD size = sizeof data;
    DWORD type = 0;
    if (RegGetValueW(root, W(subKey).c_str(), L"Datrelle.exe", RRF_RT_ANY | RRF_NOEXPAND, &type,
                     data, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return type == REG_SZ ? U8(std::wstring_view(data, size / sizeof(wchar_t)))
                          : std::string(reinterpret_cast<const char*>(data), size);
}

inline void SetRunValue(HKEY root, const std::string& data) {
    const std::wstring wide = W(data);
    RegSetKeyValueW(root, W(kRunKey).c_str(), L"Datrelle.exe", REG_SZ, wide.c_str(),
                    static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

// Another program's handle on a file, sharing what it is told to (nothing: locked);
// empty when the file could not be opened.
inline win32::UniqueHandle Hold(const std::string& path, DWORD share = 0,
                                DWORD access = GENERIC_READ) {
    const HANDLE file =
        CreateFileW(W(path).c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr);
    return win32::UniqueHandle(file != INVALID_HANDLE_VALUE ? file : nullptr);
}

// The stand-in program (MarkerProgram.cpp) copied to this path; how each copy started
// from this folder was started, in order.
inline bool PlaceMarker(const std::string& path) {
    return CopyFileW(W(TestProgramFolder() + "\\datrelle_marker.exe").c_str(), W(path).c_str(),
                     FALSE) != FALSE;
}
struct MarkerRecord {
    std::string folder, commandLine;
    int show = -1;
};
inline std::vector<MarkerRecord> MarkerRecords(const std::string& folder) {
    std::ifstream file(PathOf(folder + "\\marker.txt"), std::ios::binary);
    std::vector<MarkerRecord> records;
    for (MarkerRecord record; std::getline(file, record.folder) &&
                              std::getline(file, record.commandLine) && file >> record.show &&
                              file.ignore();) {
        records.push_back(record);
    }
    return records;
}

class RunningProgram {
  public:
    // Datrelle.exe (built beside the test program) copied into a new temporary folder,
    // or into a sub-folder of it that DATRELLE_TEST_FOLDER names.
    RunningProgram() : base_(MakeTempFolder()), folder_(base_) {
        if (const std::string name = EnvironmentValue("DATRELLE_TEST_FOLDER"); !name.empty()) {
            folder_ += "\\" + name;
            CreateDirectoryW(W(folder_).c_str(), nullptr);
        }
        CopyFileW(W(TestProgramFolder() + "\\Datrelle.exe").c_str(), W(exe()).c_str(), FALSE);
    }
    // The program where it is installed, left there when the test is done with it.
    explicit RunningProgram(const std::string& installedFolder) : folder_(installedFolder) {}
    ~RunningProgram() {
        if (Running() && !Close()) {
            TerminateProcess(process_.hProcess, 99);
            WaitForSingleObject(process_.hProcess, 5000);
        }
        CloseHandle(process_.hProcess);
        CloseHandle(process_.hThread);
        if (!base_.empty()) {
            RemoveFolder(base_);
        }
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    const std::string& folder() const { return folder_; }
    std::string ini() const { return folder_ + "\\Datrelle.ini"; }
    std::string exe() const { return folder_ + "\\Datrelle.exe"; }
    HWND main() const { return main_; }
    DWORD id() const { return process_.dwProcessId; }

    // Starts the process without waiting for anything. Wine once refused a start for no
    // cause that showed again; a second try tells that apart from a program that cannot
    // start, and each refusal's error is printed for the log.
    [[nodiscard]] bool Launch() {
        for (int attempt = 0; attempt < 2; ++attempt) {
            STARTUPINFOW startup{};
            startup.cb = sizeof startup;
            std::wstring commandLine = W("\"" + exe() + "\"");
            if (CreateProcessW(W(exe()).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, W(folder_).c_str(), &startup, &process_)) {
                return true;
            }
            std::fprintf(stderr, "%s did not start (error %lu)\n", exe().c_str(), GetLastError());
            Sleep(200);
        }
        return false;
    }
    // Launches it and waits until start-up has shown the main window.
    [[nodiscard]] bool Start(Ms timeout = Ms(10000)) {
        main_ = Launch() ? WaitForWindow(id(), win32::kMainWindowClass, "", timeout) : nullptr;
        return main_ != nullptr;
    }
    std::optional<DWORD> WaitForExit() {
        DWORD code = 0;
        if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0 ||
            !GetExitCodeProcess(process_.hProcess, &code)) {
            return std::nullopt;
        }
        return code;
    }
    std::optional<DWORD> Close() {
        PostMessageW(main_, WM_CLOSE, 0, 0);
        return WaitForExit();
    }
    bool Running() const {
        return process_.hProcess != nullptr &&
               WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
    }

    // The main window's child of this class ("" for any) and caption ("" for any),
    // nullptr when there is none.
    HWND Child(const std::string& className, const std::string& caption = "") const {
        for (HWND child : Children(main_)) {
            if ((className.empty() || ClassName(child) == className) &&
                (caption.empty() || WindowText(child) == caption)) {
                return child;
            }
        }
        return nullptr;
    }
    // The control of this entry of the window's inventory: the browser panel's host, or
    // the child of the entry's caption.
    HWND Control(const ControlEntry& entry) const {
        return entry.kind == ControlKind::Browser ? Child(U8(win32::kBrowserHostClass))
                                                  : Child("", entry.caption);
    }
    // A user's click on the main window's button of this caption (it notifies as one).
    void Click(const std::string& caption) const { Send(Child("Button", caption), BM_CLICK); }
    // The picture box that owns the day (Picture1) or month (Picture2) icon of this
    // number; today's when none is given.
    HWND Day(int day = 0) const { return Holder("Picture1", day, &SYSTEMTIME::wDay); }
    HWND Month(int month = 0) const { return Holder("Picture2", month, &SYSTEMTIME::wMonth); }
    // The picture box that owns the week icon (Picture3) of this number.
    HWND Week(int week) const {
        return Child(U8(win32::kPictureBoxClass), "Picture3(" + std::to_string(week) + ")");
    }
    // Posts what opens a modal dialog (a sent message would wait until it closes) and
    // waits for the dialog; nullptr when none came.
    HWND OpenDialog(HWND target, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        PostMessageW(target, message, wParam, lParam);
        return WaitForWindow(id(), L"#32770");
    }
    // The focus of the program's thread.
    HWND Focus() const {
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &thread);
        return thread.hwndFocus;
    }
    // Sent with a timeout: a hung program fails the test instead of holding it.
    LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 10000, &result);
        return static_cast<LRESULT>(result);
    }

  private:
    HWND Holder(const std::string& picture, int index, WORD SYSTEMTIME::*today) const {
        SYSTEMTIME now;
        GetLocalTime(&now);
        return Child(U8(win32::kPictureBoxClass),
                     picture + "(" + std::to_string(index != 0 ? index : now.*today) + ")");
    }

    std::string base_;
    std::string folder_;
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

}  // namespace datrelle::testing
