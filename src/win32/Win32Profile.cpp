#include "win32/Win32Profile.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "win32/WideText.h"

namespace datrelle::win32 {

std::string Win32Profile::GetString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::size_t bufferSize,
                                    std::string_view file) {
    const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bufferSize, MAXDWORD));
    if (size == 0) {
        return {};
    }
    std::vector<wchar_t> buffer(size, L'\0');
    DWORD copied = GetPrivateProfileStringW(
        WideFromUtf8(section).c_str(), WideFromUtf8(key).c_str(),
        WideFromUtf8(defaultValue).c_str(), buffer.data(), size, WideFromUtf8(file).c_str());
    copied = std::min<DWORD>(copied, size - 1);
    // A value cut at the buffer's end may end in half a character beyond U+FFFF.
    if (copied > 0 && copied == size - 1 && IS_HIGH_SURROGATE(buffer[copied - 1])) {
        --copied;
    }
    return Utf8FromWide(std::wstring_view(buffer.data(), copied));
}

bool Win32Profile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value, std::string_view file) {
    return WritePrivateProfileStringW(WideFromUtf8(section).c_str(), WideFromUtf8(key).c_str(),
                                      WideFromUtf8(value).c_str(),
                                      WideFromUtf8(file).c_str()) != FALSE;
}

}  // namespace datrelle::win32
