#pragma once

#include <optional>
#include <string>
#include <string_view>

// Conversions between the program's narrow text and UTF-16, the text of the system's
// wide functions and of COM. Most of the program's text is in the system's ANSI code
// page; the notes are UTF-8. Invalid input gives "".

namespace datrelle::win32 {

// Characters the code page lacks become its default character.
std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view text);
// nullopt when the code page lacks a character of the text.
std::optional<std::string> ExactAnsiFromWide(std::wstring_view text);

// A broken UTF-8 sequence, or a lone surrogate, becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view text);
std::string Utf8FromWide(std::wstring_view text);

}  // namespace datrelle::win32
