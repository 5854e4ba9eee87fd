#include "win32/Win32Registry.h"

#include <windows.h>

#include <limits>
#include <string>
#include <utility>

#include "win32/Unique.h"

namespace datrelle::win32 {
namespace {

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

class Win32RegistryKey final : public RegistryKey {
  public:
    explicit Win32RegistryKey(UniqueKey key) : key_(std::move(key)) {}

    std::optional<RegistryValue> QueryValue(std::string_view name) override {
        const std::string valueName(name);
        DWORD size = 0;
        if (RegQueryValueExA(key_.get(), valueName.c_str(), nullptr, nullptr, nullptr, &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        std::string bytes;
        for (;;) {
            bytes.resize(size);
            DWORD type = 0;
            const LONG status = RegQueryValueExA(key_.get(), valueName.c_str(), nullptr, &type,
                                                 reinterpret_cast<BYTE*>(bytes.data()), &size);
            if (status == ERROR_SUCCESS) {
                bytes.resize(size);
                return RegistryValue{type, std::move(bytes)};
            }
            // A value that grew since its size was asked for gives its new size.
            if (status != ERROR_MORE_DATA) {
                return std::nullopt;
            }
        }
    }

    RegistryStatus SetValue(std::string_view name, std::uint32_t type,
                            std::string_view bytes) override {
        if (bytes.size() > std::numeric_limits<DWORD>::max()) {
            return ERROR_INVALID_PARAMETER;
        }
        const std::string valueName(name);
        return RegSetValueExA(key_.get(), valueName.c_str(), 0, type,
                              reinterpret_cast<const BYTE*>(bytes.data()),
                              static_cast<DWORD>(bytes.size()));
    }

    RegistryStatus DeleteValue(std::string_view name) override {
        const std::string valueName(name);
        return RegDeleteValueA(key_.get(), valueName.c_str());
    }

  private:
    UniqueKey key_;
};

// The handle is owned before anything can throw, so it is closed on every path.
std::unique_ptr<RegistryKey> Owned(HKEY key) {
    UniqueKey owned(key);
    return std::make_unique<Win32RegistryKey>(std::move(owned));
}

}  // namespace

std::unique_ptr<RegistryKey> Win32Registry::OpenKey(RegistryRoot root, std::string_view subKey,
                                                    std::uint32_t access) {
    const std::string path(subKey);
    HKEY key = nullptr;
    if (RegOpenKeyExA(RootKey(root), path.c_str(), 0, access, &key) != ERROR_SUCCESS) {
        return nullptr;
    }
    return Owned(key);
}

std::unique_ptr<RegistryKey> Win32Registry::CreateKey(RegistryRoot root, std::string_view subKey,
                                                      std::uint32_t access) {
    const std::string path(subKey);
    HKEY key = nullptr;
    if (RegCreateKeyExA(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                        nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return Owned(key);
}

}  // namespace datrelle::win32
