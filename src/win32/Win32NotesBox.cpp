#include "win32/Win32NotesBox.h"

#include <string>

namespace datrelle::win32 {

std::string Win32NotesBox::Text() const {
    // Reading the program's own edit control fails only once it is gone, and then there
    // is no text to have.
    const int length = GetWindowTextLengthA(edit_);
    if (length <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(edit_, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

bool Win32NotesBox::SetText(std::string_view text) {
    const std::string copy(text);
    // An edit control that cannot make room for the text refuses it and keeps its own.
    return SetWindowTextA(edit_, copy.c_str()) != FALSE;
}

}  // namespace datrelle::win32
