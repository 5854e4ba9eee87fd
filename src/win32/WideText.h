#pragma once

#include <string>
#include <string_view>

// Where the program's text meets Windows': the logic carries every text as UTF-8, the
// wide functions and COM take UTF-16. Every name and text the program hands to Windows or
// gets from it passes here, so nothing is narrowed to a code page on the way, with two
// exceptions that convert on their own: the trace of an abandoned event (Abandoned.h),
// which must not allocate, since the memory itself may have run out, and the ANSI code
// page (Win32CodePage), a format of files rather than a way to talk to Windows. A text
// too large to convert gives "".

namespace datrelle::win32 {

// A broken UTF-8 sequence becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view text);
// A lone surrogate becomes U+FFFD.
std::string Utf8FromWide(std::wstring_view text);

}  // namespace datrelle::win32
