#include "win32/Win32Shell.h"

#include <windows.h>

#include <shellapi.h>

#include "win32/Unique.h"

namespace datrelle::win32 {

std::intptr_t Win32Shell::Execute(std::string_view operation, std::string_view file,
                                  std::string_view parameters,
                                  const std::optional<std::string>& workingFolder,
                                  int showCommand) {
    const std::string verb(operation);
    const std::string target(file);
    const std::string arguments(parameters);
    // The desktop owns any message the shell shows: the program's own window is
    // usually hidden in the tray.
    const HINSTANCE result =
        ShellExecuteA(GetDesktopWindow(), verb.c_str(), target.c_str(), arguments.c_str(),
                      workingFolder ? workingFolder->c_str() : nullptr, showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

bool Win32Shell::StartProcess(std::string_view commandLine, int showMode) {
    // CreateProcessA may write into the command line, so it gets its own copy.
    std::string line(commandLine);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showMode);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    // The program holds nothing of the process it started.
    const UniqueHandle processHandle(process.hProcess);
    const UniqueHandle threadHandle(process.hThread);
    return true;
}

}  // namespace datrelle::win32
