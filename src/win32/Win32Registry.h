#pragma once

#include "platform/Registry.h"

// The registry through advapi32's wide functions: names, and the data of string values,
// in UTF-16 there and UTF-8 here. Each opened key is closed when its object goes, so no
// handle outlives the one operation it was opened for.

namespace datrelle::win32 {

class Win32Registry : public Registry {
  public:
    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, std::string_view subKey,
                                         std::uint32_t access) override;
    std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, std::string_view subKey,
                                           std::uint32_t access) override;
};

}  // namespace datrelle::win32
