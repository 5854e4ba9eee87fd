#include "win32/Win32Shell.h"

#include <windows.h>

#include <shellapi.h>

#include "win32/Unique.h"
#include "win32/WideText.h"

namespace datrelle::win32 {

static_assert(kShowNormal == SW_SHOWNORMAL && kShowMinimized == SW_MINIMIZE);

std::intptr_t Win32Shell::Execute(std::string_view operation, std::string_view file,
                                  std::string_view parameters,
                                  const std::optional<std::string>& workingFolder,
                                  int showCommand) {
    const std::wstring folder = workingFolder ? WideFromUtf8(*workingFolder) : std::wstring();
    // The desktop owns any message the shell shows: the program's own window is
    // usually hidden in the tray.
    const HINSTANCE result = ShellExecuteW(
        GetDesktopWindow(), WideFromUtf8(operation).c_str(), WideFromUtf8(file).c_str(),
        WideFromUtf8(parameters).c_str(), workingFolder ? folder.c_str() : nullptr, showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

bool Win32Shell::StartProcess(std::string_view commandLine, int showMode) {
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring line = WideFromUtf8(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showMode);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    // The program holds nothing of the process it started.
    const UniqueHandle processHandle(process.hProcess);
    const UniqueHandle threadHandle(process.hThread);
    return true;
}

}  // namespace datrelle::win32
