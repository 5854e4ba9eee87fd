#include "win32/ProgramLocation.h"

#include <string>
#include <utility>

#include "launch/ModParse.h"
#include "win32/WideText.h"

namespace datrelle::win32 {

std::string ModulePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return Utf8FromWide(path);
        }
        path.resize(path.size() * 2);  // cut off: try a larger buffer
    }
}

std::optional<ProgramFile> CurrentProgramFile(HINSTANCE instance) {
    PathParts parts = SplitPath(ModulePath(instance));
    if (parts.folder.empty()) {
        return std::nullopt;
    }
    const std::size_t dot = parts.fileName.find_last_of('.');
    return ProgramFile{std::move(parts.folder), parts.fileName.substr(0, dot)};
}

SingleInstance::SingleInstance() {
    mutex_.reset(CreateMutexW(nullptr, FALSE, kSingleInstanceMutex));
    const DWORD error = GetLastError();
    // A copy running with other rights (elevated, say) made the mutex with a default
    // security that this one may not open: the mutex exists, so that copy runs. Any
    // other failure says nothing about another copy; this one then runs.
    anotherIsRunning_ = mutex_ ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
}

}  // namespace datrelle::win32
