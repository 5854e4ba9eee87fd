#pragma once

#include "platform/CodePage.h"
#include "win32/AnsiText.h"

namespace datrelle::win32 {

// The system's ANSI code page, through UTF-16.
class Win32CodePage : public CodePage {
  public:
    std::optional<std::string> AnsiToUtf8(std::string_view ansi) const override {
        std::string text = Utf8FromWide(WideFromAnsi(ansi));
        return text.empty() && !ansi.empty() ? std::nullopt : std::optional(std::move(text));
    }
    std::optional<std::string> Utf8ToAnsi(std::string_view utf8) const override {
        const std::wstring wide = WideFromUtf8(utf8);
        return wide.empty() && !utf8.empty() ? std::nullopt : ExactAnsiFromWide(wide);
    }
};

}  // namespace datrelle::win32
