#include "win32/ProgramLocation.h"

#include <string>

namespace datrelle::win32 {

std::optional<ProgramFile> CurrentProgramFile(HINSTANCE instance) {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(instance, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return std::nullopt;
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // cut off: try a larger buffer
    }
    const std::size_t slash = path.find_last_of('\\');
    if (slash == std::string::npos) {
        return std::nullopt;
    }
    ProgramFile file;
    // A drive root keeps its backslash ("C:\"), as the system reports such a folder.
    file.folder = path.substr(0, slash == 2 && path[1] == ':' ? slash + 1 : slash);
    const std::string name = path.substr(slash + 1);
    const std::size_t dot = name.find_last_of('.');
    file.baseName = dot == std::string::npos ? name : name.substr(0, dot);
    return file;
}

SingleInstance::SingleInstance() {
    mutex_.reset(CreateMutexA(nullptr, FALSE, kSingleInstanceMutex));
    const DWORD error = GetLastError();
    // A copy running with other rights (elevated, say) made the mutex with a default
    // security that this one may not open: the mutex exists, so that copy runs. Any
    // other failure says nothing about another copy; this one then runs.
    anotherIsRunning_ = mutex_ ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
}

}  // namespace datrelle::win32
