#include "win32/Win32NotesBox.h"

#include <string>

#include "win32/WideText.h"

namespace datrelle::win32 {

std::optional<std::string> Win32NotesBox::Text() const {
    // Reading the program's own edit control fails only once it is gone, and then there
    // is no text to have.
    const int length = GetWindowTextLengthW(edit_);
    if (length <= 0) {
        return std::string();
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(edit_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    std::string utf8 = Utf8FromWide(text);
    // A text too large to convert must not pass for an empty one.
    return utf8.empty() && !text.empty() ? std::nullopt : std::optional(std::move(utf8));
}

bool Win32NotesBox::SetText(std::string_view text) {
    const std::wstring wide = WideFromUtf8(text);
    if (wide.empty() && !text.empty()) {
        return false;  // too large to convert: the box keeps its text
    }
    // An edit control that cannot make room for the text refuses it and keeps its own.
    return SetWindowTextW(edit_, wide.c_str()) != FALSE;
}

}  // namespace datrelle::win32
