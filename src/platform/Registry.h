#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace datrelle {

// The roots the program writes under, with the system's own numbers.
enum class RegistryRoot : std::uint32_t {
    CurrentUser = 0x80000001,
    LocalMachine = 0x80000002,
};

// A status code of the registry functions: 0 is success, anything else a system error.
using RegistryStatus = std::int32_t;
inline constexpr RegistryStatus kRegistrySuccess = 0;

// The value types the program writes.
inline constexpr std::uint32_t kRegSz = 1;

// A value as stored: its type and bytes. A string value (kRegSz) is UTF-8 here, its
// NUL included; the Win32 layer keeps it in the registry's own UTF-16.
struct RegistryValue {
    std::uint32_t type = 0;
    std::string bytes;
};

// A registry key opened for one operation; destroying it closes the key.
class RegistryKey {
  public:
    virtual ~RegistryKey() = default;

    // The value, or nullopt when there is none or it cannot be read.
    virtual std::optional<RegistryValue> QueryValue(std::string_view name) = 0;

    // Writes the value's bytes, a string value's as said above.
    virtual RegistryStatus SetValue(std::string_view name, std::uint32_t type,
                                    std::string_view bytes) = 0;
    virtual RegistryStatus DeleteValue(std::string_view name) = 0;
};

class Registry {
  public:
    virtual ~Registry() = default;

    // Opens an existing key with these access rights (options 0); nullptr when it cannot
    // be opened, for instance for want of the rights.
    virtual std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, std::string_view subKey,
                                                 std::uint32_t access) = 0;
    // Opens the key, creating it (and any missing parent) when it does not exist yet.
    virtual std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, std::string_view subKey,
                                                   std::uint32_t access) = 0;
};

}  // namespace datrelle
