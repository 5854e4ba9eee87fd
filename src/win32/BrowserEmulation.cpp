#include "win32/BrowserEmulation.h"

#include <string>

#include "launch/ModParse.h"
#include "win32/Unique.h"

namespace datrelle::win32 {
namespace {

// The value lives under the user's own key, so no elevation is needed and other users
// are not touched; it is named after the executable's file name, which is how the
// control finds it (a renamed copy gets a value of its own).
constexpr const char* kFeatureKey =
    "Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";

std::string ExecutableFileName() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // a long path was cut: try again with more room
    }
    return SplitPath(path).fileName;
}

}  // namespace

bool SetBrowserEmulation() {
    const std::string exeName = ExecutableFileName();
    if (exeName.empty()) {
        return false;
    }
    HKEY opened = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kFeatureKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const UniqueKey key{opened};
    const DWORD mode = kBrowserEmulationMode;
    return RegSetValueExA(key.get(), exeName.c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&mode), sizeof mode) == ERROR_SUCCESS;
}

bool ForgetBrowserEmulation(const std::string& exeName) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kFeatureKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                      &opened) != ERROR_SUCCESS) {
        return true;  // no such key: no value either
    }
    const UniqueKey key{opened};
    DWORD type = 0;
    DWORD mode = 0;
    DWORD size = sizeof mode;
    if (RegQueryValueExA(key.get(), exeName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&mode),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || mode != kBrowserEmulationMode) {
        return true;
    }
    return RegDeleteValueA(key.get(), exeName.c_str()) == ERROR_SUCCESS;
}

}  // namespace datrelle::win32
