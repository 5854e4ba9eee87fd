#pragma once

#include <windows.h>

#include <cstdio>
#include <exception>
#include <iterator>
#include <optional>

// Where no exception may cross (a window procedure, a COM method, an installer action),
// one that arrives is caught and the event it came with is abandoned; the program goes
// on. The line this writes to the debugger's output window is then the only trace of
// it, and tells a failure in the field from a message never sent.

namespace datrelle::win32 {

// For a catch block at such a boundary: "Datrelle: <what> (<number>) was abandoned:
// <the exception's text>", the number in hexadecimal where one is given (a window
// message's, say).
inline void TraceAbandoned(const char* what, std::optional<unsigned> number = {}) noexcept {
    const char* reason = "an exception of unknown type";
    if (std::current_exception()) {
        try {
            throw;
        } catch (const std::exception& error) {
            reason = error.what();
        } catch (...) {
        }
    }
    // Fixed buffers: the exception may be the lack of memory itself.
    char text[512];
    if (number) {
        std::snprintf(text, sizeof text, "Datrelle: %s (0x%04X) was abandoned: %s\n", what, *number,
                      reason);
    } else {
        std::snprintf(text, sizeof text, "Datrelle: %s was abandoned: %s\n", what, reason);
    }
    wchar_t wide[512] = L"";
    // Converted here, not by WideText, which allocates. A text that cannot be converted
    // leaves the line empty: still a trace that it came.
    MultiByteToWideChar(CP_UTF8, 0, text, -1, wide, static_cast<int>(std::size(wide)) - 1);
    OutputDebugStringW(wide);
}

}  // namespace datrelle::win32
