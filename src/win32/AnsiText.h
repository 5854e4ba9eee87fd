#pragma once

#include <string>
#include <string_view>

// Conversions between the program's text, which is in the system's ANSI code page,
// and the UTF-16 text of COM interfaces. Characters the code page lacks become its
// default character; invalid input gives "".

namespace datrelle::win32 {

std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view text);

}  // namespace datrelle::win32
