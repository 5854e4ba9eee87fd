#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Profile.h"

// The settings file: its path and the two operations every setting goes through.

namespace datrelle {

// The longest value a read returns is one less, the buffer's terminating NUL.
inline constexpr std::size_t kIniBufferSize = 750;

// The settings file beside the executable: folder, one backslash (a drive root such
// as "C:\" already ends in one), the executable's base name and ".ini".
std::string IniFilePath(std::string_view folder, std::string_view baseName);

// The value of key in section of file, at most kIniBufferSize - 1 characters; "" when
// the file, the section or the key is missing. The key is asked for in lower case.
std::string ReadIniValue(Profile& profile, std::string_view section, std::string_view key,
                         std::string_view file);

// Writes key = value into section of file, the key in upper case, so a key the program
// creates stands in capitals while an existing one keeps its letter case. False when
// the file could not be written; the settings are saved on a best-effort basis and
// callers do not act on it.
bool WriteIniValue(Profile& profile, std::string_view section, std::string_view key,
                   std::string_view value, std::string_view file);

}  // namespace datrelle
