#include "win32/Win32CodePage.h"

#include <windows.h>

#include <climits>

#include "win32/WideText.h"

namespace datrelle::win32 {

std::optional<std::string> Win32CodePage::AnsiToUtf8(std::string_view ansi) const {
    if (ansi.empty()) {
        return std::string();
    }
    if (ansi.size() > INT_MAX) {
        return std::nullopt;
    }
    const int size = static_cast<int>(ansi.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
    if (length <= 0 ||
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), length) != length) {
        return std::nullopt;
    }
    std::string text = Utf8FromWide(wide);
    return text.empty() ? std::nullopt : std::optional(std::move(text));
}

std::optional<std::string> Win32CodePage::Utf8ToAnsi(std::string_view utf8) const {
    if (utf8.empty()) {
        return std::string();
    }
    const std::wstring wide = WideFromUtf8(utf8);
    // Where the system's code page is UTF-8, every character has its bytes.
    if (wide.empty() || GetACP() == CP_UTF8) {
        return wide.empty() ? std::nullopt : std::optional(std::string(utf8));
    }
    const int size = static_cast<int>(wide.size());
    // Without WC_NO_BEST_FIT_CHARS a character the code page lacks may turn into a
    // look-alike (a "✓" into a "v"), which would not count as lost.
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, nullptr,
                                           0, nullptr, &lossy);
    if (length <= 0 || lossy) {
        return std::nullopt;
    }
    std::string ansi(static_cast<std::size_t>(length), '\0');
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), size, ansi.data(), length,
                            nullptr, &lossy) != length ||
        lossy) {
        return std::nullopt;
    }
    return ansi;
}

}  // namespace datrelle::win32
