#include "RunningProgram.h"

#include <shellapi.h>

#include <atomic>
#include <fstream>
#include <utility>

#include "win32/Win32Files.h"

namespace datrelle::testing {
namespace {

struct Search {
    DWORD processId;
    HWND found = nullptr;
};

BOOL CALLBACK FindMainWindow(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<Search*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search.processId && ClassName(window) == "DatrelleForm") {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM lParam) {
    reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(window);
    return TRUE;
}

}  // namespace

std::string TestProgramFolder() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string text(path, length);
    return text.substr(0, text.find_last_of('\\'));
}

std::string WindowText(HWND window) {
    // WM_GETTEXT, not GetWindowText: only the message reaches an edit control's text in
    // another process.
    char text[4096] = "";
    const auto length =
        SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return std::string(text, static_cast<std::size_t>(length));
}

std::string ClassName(HWND window) {
    char name[256] = "";
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

std::string MakeTempFolder() {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    for (;;) {
        const std::string folder = std::string(temp) + "datrelle-test-" +
                                   std::to_string(GetCurrentProcessId()) + "-" +
                                   std::to_string(counter++);
        if (CreateDirectoryA(folder.c_str(), nullptr)) {
            return folder;
        }
    }
}

void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") {
                continue;
            }
            const std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolder(path);
            } else {
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

TestWindow::TestWindow(int width, int height)
    : window_(CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPEDWINDOW, 0, 0, width, height,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}

TestWindow::~TestWindow() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

std::string ReadFile(const std::string& path) {
    return win32::Win32Files().ReadAll(path).value_or("");
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string IniValue(const std::string& ini, const char* section, const char* key) {
    char value[800] = "";
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, ini.c_str());
    return value;
}

std::optional<StoredValue> ReadRegistryValue(HKEY root, const char* subKey,
                                             const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, subKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    char data[1024];
    DWORD size = sizeof data;
    DWORD type = 0;
    const LONG status =
        RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return StoredValue{type, std::string(data, size)};
}

namespace {

// The sub-folder the program is put in when a test names none: the one in the
// environment variable DATRELLE_TEST_FOLDER (a whole run in a folder with spaces, say),
// else none.
std::string DefaultFolderName() {
    char name[MAX_PATH] = "";
    const DWORD length = GetEnvironmentVariableA("DATRELLE_TEST_FOLDER", name, sizeof name);
    return length > 0 && length < sizeof name ? std::string(name, length) : std::string();
}

}  // namespace

RunningProgram::RunningProgram(const std::string& exeName, const std::string& folderName)
    : base_(MakeTempFolder()), exeName_(exeName) {
    const std::string subFolder = folderName.empty() ? DefaultFolderName() : folderName;
    folder_ = subFolder.empty() ? base_ : base_ + "\\" + subFolder;
    if (!subFolder.empty()) {
        CreateDirectoryA(folder_.c_str(), nullptr);
    }
    const std::string source = TestProgramFolder() + "\\Datrelle.exe";
    CopyFileA(source.c_str(), exePath().c_str(), FALSE);
}

RunningProgram::RunningProgram(InPlace installed)
    : folder_(std::move(installed.folder)), exeName_("Datrelle.exe") {}

RunningProgram::~RunningProgram() {
    if (Running()) {
        if (!Close()) {
            TerminateProcess(processInfo_.hProcess, 99);
            WaitForSingleObject(processInfo_.hProcess, 5000);
        }
    }
    if (processInfo_.hProcess != nullptr) {
        CloseHandle(processInfo_.hProcess);
        CloseHandle(processInfo_.hThread);
    }
    if (!base_.empty()) {
        RemoveFolder(base_);
    }
}

bool RunningProgram::Start(std::chrono::milliseconds timeout) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exePath() + "\"";
    if (!CreateProcessA(exePath().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &startup, &processInfo_)) {
        return false;
    }
    return WaitUntil(
        [this] {
            Search search{processInfo_.dwProcessId};
            EnumWindows(FindMainWindow, reinterpret_cast<LPARAM>(&search));
            mainWindow_ = search.found;
            // Start-up has finished once the window is shown.
            return mainWindow_ != nullptr && IsWindowVisible(mainWindow_);
        },
        timeout);
}

std::optional<DWORD> RunningProgram::Close() {
    PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
    return WaitForExit(std::chrono::milliseconds(10000));
}

std::optional<DWORD> RunningProgram::WaitForExit(std::chrono::milliseconds timeout) {
    if (WaitForSingleObject(processInfo_.hProcess, static_cast<DWORD>(timeout.count())) !=
        WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(processInfo_.hProcess, &code);
    return code;
}

bool RunningProgram::Running() const {
    return processInfo_.hProcess != nullptr &&
           WaitForSingleObject(processInfo_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND RunningProgram::Child(const char* className, const char* caption) const {
    for (HWND child : Children(mainWindow_)) {
        if (ClassName(child) == className && WindowText(child) == caption) {
            return child;
        }
    }
    return nullptr;
}

HWND RunningProgram::DayHolder(int day) const {
    return Child("DatrellePictureBox", ("Picture1(" + std::to_string(day) + ")").c_str());
}

HWND RunningProgram::MonthHolder(int month) const {
    return Child("DatrellePictureBox", ("Picture2(" + std::to_string(month) + ")").c_str());
}

LRESULT RunningProgram::Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
    return static_cast<LRESULT>(result);
}

bool TrayHasIcon(HWND owner) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner;
    data.uID = 1;
    data.uFlags = 0;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

bool RemoveTrayIcon(HWND owner) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner;
    data.uID = 1;
    return Shell_NotifyIconA(NIM_DELETE, &data) != FALSE;
}

}  // namespace datrelle::testing
