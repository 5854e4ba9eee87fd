#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "platform/CodePage.h"
#include "platform/FileOperations.h"
#include "platform/Profile.h"

// The settings file: its path and the two operations every setting goes through.

namespace datrelle {

// The buffer a read hands to the profile functions, in UTF-16 units: the value comes
// back cut to one less, the room of its NUL (see Profile::GetString).
inline constexpr std::size_t kIniBufferSize = 750;

// The settings file beside the executable: folder, one backslash (a drive root such
// as "C:\" already ends in one), the executable's base name and ".ini".
std::string IniFilePath(std::string_view folder, std::string_view baseName);

// The value of key in section of file, as a buffer of kIniBufferSize takes it; "" when
// the file, the section or the key is missing. The key is asked for in lower case.
std::string ReadIniValue(Profile& profile, std::string_view section, std::string_view key,
                         std::string_view file);

// Writes key = value into section of file, the key in upper case, so a key the program
// creates stands in capitals while an existing one keeps its letter case. False when
// the file could not be written; the settings are saved on a best-effort basis and
// callers do not act on it.
bool WriteIniValue(Profile& profile, std::string_view section, std::string_view key,
                   std::string_view value, std::string_view file);

// The profile functions keep a settings file in the ANSI code page, as the program has
// always written it, unless the file begins with a UTF-16 byte order mark: then they
// keep it in UTF-16 LE. A character the code page lacks would be written as a look-alike
// or a "?", naming another file.

// Whether the file must be in UTF-16 to hold these values: one of them has a character
// the ANSI code page lacks.
bool NeedsUnicodeFile(std::span<const std::string> values, const CodePage& codePage);

// Turns the settings file into UTF-16 LE with its byte order mark, every line kept: a
// file's bytes are read through the ANSI code page (or as UTF-8 after a UTF-8 mark),
// and a missing or empty file becomes the mark alone. The new content takes the file's
// place whole. A file in UTF-16 already is left as it is. False when the file could not
// be read or replaced: it is then as it was.
bool MakeUnicodeFile(FileOperations& files, const CodePage& codePage, const std::string& path);

}  // namespace datrelle
