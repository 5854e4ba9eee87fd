#include "win32/AnsiText.h"

#include <windows.h>

#include <climits>

namespace datrelle::win32 {
namespace {

std::wstring WideFrom(UINT codePage, std::string_view text) {
    if (text.empty() || text.size() > INT_MAX) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    if (MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length) != length) {
        return {};
    }
    return wide;
}

// lossy, when given, tells whether a character had to become the default character;
// the code page must then be one that can tell (not UTF-8).
std::string NarrowFrom(UINT codePage, DWORD flags, std::wstring_view text, BOOL* lossy) {
    if (text.empty() || text.size() > INT_MAX) {
        return {};
    }
    const int size = static_cast<int>(text.size());
    const int length =
        WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, lossy);
    if (length <= 0) {
        return {};
    }
    std::string narrow(static_cast<std::size_t>(length), '\0');
    if (WideCharToMultiByte(codePage, flags, text.data(), size, narrow.data(), length, nullptr,
                            lossy) != length) {
        return {};
    }
    return narrow;
}

}  // namespace

std::wstring WideFromAnsi(std::string_view text) {
    return WideFrom(CP_ACP, text);
}

std::string AnsiFromWide(std::wstring_view text) {
    return NarrowFrom(CP_ACP, 0, text, nullptr);
}

std::optional<std::string> ExactAnsiFromWide(std::wstring_view text) {
    // Where the system's code page is UTF-8, every character has its bytes.
    if (GetACP() == CP_UTF8) {
        return Utf8FromWide(text);
    }
    // Without this flag a character the code page lacks may turn into a look-alike
    // (a "✓" into a "v"), which would not count as lost.
    BOOL lossy = FALSE;
    std::string ansi = NarrowFrom(CP_ACP, WC_NO_BEST_FIT_CHARS, text, &lossy);
    if (lossy || (ansi.empty() && !text.empty())) {
        return std::nullopt;
    }
    return ansi;
}

std::wstring WideFromUtf8(std::string_view text) {
    return WideFrom(CP_UTF8, text);
}

std::string Utf8FromWide(std::wstring_view text) {
    return NarrowFrom(CP_UTF8, 0, text, nullptr);
}

}  // namespace datrelle::win32
