#pragma once

#include "platform/CodePage.h"

namespace datrelle::win32 {

// The system's ANSI code page, for the files whose bytes are in it: older notes files and
// the settings file.
class Win32CodePage : public CodePage {
  public:
    std::optional<std::string> AnsiToUtf8(std::string_view ansi) const override;
    std::optional<std::string> Utf8ToAnsi(std::string_view utf8) const override;
};

}  // namespace datrelle::win32
