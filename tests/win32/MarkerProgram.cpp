// A stand-in for the programs Datrelle opens and starts. Each start appends one record
// to "marker.txt" beside the executable: the working folder, the command line and the
// window show mode it was given (-1 for none), a line each, in UTF-8.

#include <windows.h>

#include <string>

#include "win32/WideText.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using datrelle::win32::Utf8FromWide;
    wchar_t path[MAX_PATH];
    wchar_t folder[MAX_PATH] = L"";
    const std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    GetCurrentDirectoryW(MAX_PATH, folder);
    STARTUPINFOW startup{};
    GetStartupInfoW(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
    const std::string record = Utf8FromWide(folder) + "\n" + Utf8FromWide(GetCommandLineW()) +
                               "\n" + std::to_string(show) + "\n";
    const std::wstring marker = self.substr(0, self.find_last_of(L'\\')) + L"\\marker.txt";
    const HANDLE file = CreateFileW(marker.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    // One write per record, so a reader never sees half of one.
    DWORD written = 0;
    const bool done =
        WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr) &&
        written == record.size();
    return CloseHandle(file) && done ? 0 : 1;
}
