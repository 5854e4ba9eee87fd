#include "win32/Win32Registry.h"

#include <windows.h>

#include <limits>
#include <string>
#include <utility>

#include "launch/RegStuff.h"
#include "win32/Unique.h"
#include "win32/WideText.h"

namespace datrelle::win32 {
namespace {

static_assert(kRegSz == REG_SZ && kRegistrySuccess == ERROR_SUCCESS &&
              kRunKeyAccess == (KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY |
                                KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY | KEY_CREATE_LINK));

HKEY RootKey(RegistryRoot root) {
    return root == RegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

// A string value's bytes, its NUL included, between the logic's UTF-8 and the registry's
// UTF-16; any other type's bytes pass as they are.
std::string StoredBytes(std::uint32_t type, std::string_view bytes) {
    if (type != REG_SZ) {
        return std::string(bytes);
    }
    const std::wstring wide = WideFromUtf8(bytes);
    return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
}

std::string ValueBytes(std::uint32_t type, std::string bytes) {
    if (type != REG_SZ) {
        return bytes;
    }
    // Another program may have stored an odd number of bytes: the last one is no unit.
    return Utf8FromWide(std::wstring_view(reinterpret_cast<const wchar_t*>(bytes.data()),
                                          bytes.size() / sizeof(wchar_t)));
}

class Win32RegistryKey final : public RegistryKey {
  public:
    explicit Win32RegistryKey(UniqueKey key) : key_(std::move(key)) {}

    std::optional<RegistryValue> QueryValue(std::string_view name) override {
        const std::wstring valueName = WideFromUtf8(name);
        DWORD size = 0;
        if (RegQueryValueExW(key_.get(), valueName.c_str(), nullptr, nullptr, nullptr, &size) !=
            ERROR_SUCCESS) {
            return std::nullopt;
        }
        std::string bytes;
        for (;;) {
            bytes.resize(size);
            DWORD type = 0;
            const LONG status = RegQueryValueExW(key_.get(), valueName.c_str(), nullptr, &type,
                                                 reinterpret_cast<BYTE*>(bytes.data()), &size);
            if (status == ERROR_SUCCESS) {
                bytes.resize(size);
                return RegistryValue{type, ValueBytes(type, std::move(bytes))};
            }
            // A value that grew since its size was asked for gives its new size.
            if (status != ERROR_MORE_DATA) {
                return std::nullopt;
            }
        }
    }

    RegistryStatus SetValue(std::string_view name, std::uint32_t type,
                            std::string_view bytes) override {
        const std::string stored = StoredBytes(type, bytes);
        if (stored.size() > std::numeric_limits<DWORD>::max()) {
            return ERROR_INVALID_PARAMETER;
        }
        return RegSetValueExW(key_.get(), WideFromUtf8(name).c_str(), 0, type,
                              reinterpret_cast<const BYTE*>(stored.data()),
                              static_cast<DWORD>(stored.size()));
    }

    RegistryStatus DeleteValue(std::string_view name) override {
        return RegDeleteValueW(key_.get(), WideFromUtf8(name).c_str());
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
    HKEY key = nullptr;
    if (RegOpenKeyExW(RootKey(root), WideFromUtf8(subKey).c_str(), 0, access, &key) !=
        ERROR_SUCCESS) {
        return nullptr;
    }
    return Owned(key);
}

std::unique_ptr<RegistryKey> Win32Registry::CreateKey(RegistryRoot root, std::string_view subKey,
                                                      std::uint32_t access) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(RootKey(root), WideFromUtf8(subKey).c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, access, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return nullptr;
    }
    return Owned(key);
}

}  // namespace datrelle::win32
