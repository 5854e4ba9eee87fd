#pragma once

#include "platform/Profile.h"

namespace datrelle::win32 {

// The profile functions of kernel32, in their wide forms: they read a settings file in
// UTF-16 as well as one in the ANSI code page, and keep each in its form.
class Win32Profile : public Profile {
  public:
    std::string GetString(std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t bufferSize,
                          std::string_view file) override;
    bool WriteString(std::string_view section, std::string_view key, std::string_view value,
                     std::string_view file) override;
};

}  // namespace datrelle::win32
