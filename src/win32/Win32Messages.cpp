#include "win32/Win32Messages.h"

#include "win32/WideText.h"

namespace datrelle::win32 {

void Win32Messages::Show(std::string_view text) {
    // MB_OK with no icon flag: a plain box with a single OK button. A box that cannot
    // be shown (out of memory) leaves no other way to tell the user.
    MessageBoxW(owner_, WideFromUtf8(text).c_str(), kProgramTitle, MB_OK);
}

}  // namespace datrelle::win32
