#include "win32/Win32Profile.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace datrelle::win32 {

std::string Win32Profile::GetString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue, std::size_t bufferSize,
                                    std::string_view file) {
    // The functions want NUL-terminated strings; a view need not be one.
    const std::string sectionText(section);
    const std::string keyText(key);
    const std::string defaultText(defaultValue);
    const std::string fileText(file);
    const DWORD size = static_cast<DWORD>(std::min<std::size_t>(bufferSize, MAXDWORD));
    if (size == 0) {
        return {};
    }
    std::vector<char> buffer(size, '\0');
    const DWORD copied =
        GetPrivateProfileStringA(sectionText.c_str(), keyText.c_str(), defaultText.c_str(),
                                 buffer.data(), size, fileText.c_str());
    return std::string(buffer.data(), std::min<DWORD>(copied, size - 1));
}

bool Win32Profile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value, std::string_view file) {
    const std::string sectionText(section);
    const std::string keyText(key);
    const std::string valueText(value);
    const std::string fileText(file);
    return WritePrivateProfileStringA(sectionText.c_str(), keyText.c_str(), valueText.c_str(),
                                      fileText.c_str()) != FALSE;
}

}  // namespace datrelle::win32
