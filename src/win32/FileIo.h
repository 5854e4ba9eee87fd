#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

// Reading and writing whole files through an open handle, whatever their size: the
// steps of Win32Files, for the notes file and the settings file alike.

namespace datrelle::win32 {

// CreateFileW and FindFirstFileW report failure as INVALID_HANDLE_VALUE, not null; an
// owner given that value would take it for a handle and close it.
inline HANDLE OrNull(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

// Everything from the file's current position to its end; nullopt when it cannot be
// read or is larger than the memory the program can have.
std::optional<std::string> ReadToEnd(HANDLE file);

// The content written from the file's current position on; false when any of it was not.
bool WriteAll(HANDLE file, std::string_view content);

}  // namespace datrelle::win32
