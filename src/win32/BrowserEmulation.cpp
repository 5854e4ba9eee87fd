#include "win32/BrowserEmulation.h"

#include <string>

#include "launch/ModParse.h"
#include "win32/ProgramLocation.h"
#include "win32/Unique.h"
#include "win32/WideText.h"

namespace datrelle::win32 {
namespace {

// The value lives under the user's own key, so no elevation is needed and other users
// are not touched; it is named after the executable's file name, which is how the
// control finds it (a renamed copy gets a value of its own).
constexpr const wchar_t* kFeatureKey =
    L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";

}  // namespace

bool SetBrowserEmulation() {
    const std::string exeName = SplitPath(ModulePath()).fileName;
    if (exeName.empty()) {
        return false;
    }
    HKEY opened = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kFeatureKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const UniqueKey key{opened};
    const DWORD mode = kBrowserEmulationMode;
    return RegSetValueExW(key.get(), WideFromUtf8(exeName).c_str(), 0, REG_DWORD,
                          reinterpret_cast<const BYTE*>(&mode), sizeof mode) == ERROR_SUCCESS;
}

bool ForgetBrowserEmulation(const std::string& exeName) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kFeatureKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE,
                      &opened) != ERROR_SUCCESS) {
        return true;  // no such key: no value either
    }
    const UniqueKey key{opened};
    DWORD type = 0;
    DWORD mode = 0;
    DWORD size = sizeof mode;
    const std::wstring name = WideFromUtf8(exeName);
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&mode),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || mode != kBrowserEmulationMode) {
        return true;
    }
    return RegDeleteValueW(key.get(), name.c_str()) == ERROR_SUCCESS;
}

}  // namespace datrelle::win32
