#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace datrelle {

// The Windows profile (INI file) functions, their texts in UTF-8; the file keeps the form
// it has (see settings/IniFile.h).
class Profile {
  public:
    virtual ~Profile() = default;

    // As GetPrivateProfileString: the value of key in section of file, or
    // defaultValue when the file, section or key is missing, cut to bufferSize - 1
    // UTF-16 units and never within a character. Section and key are matched without regard to
    // letter case; blanks around the value and one pair of enclosing quotes are dropped.
    virtual std::string GetString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue, std::size_t bufferSize,
                                  std::string_view file) = 0;

    // As WritePrivateProfileString: updates an existing key in place (keeping its
    // letter case), or appends the key to its section, or the section to the file.
    // False when the file could not be written.
    virtual bool WriteString(std::string_view section, std::string_view key, std::string_view value,
                             std::string_view file) = 0;
};

}  // namespace datrelle
