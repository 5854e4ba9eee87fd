// The installer's own actions, in a DLL that the MSI carries and Windows Installer calls
// by name. They keep the values that Datrelle writes for itself in step with the
// installed program: gone with an uninstall, kept across an upgrade. Each takes the
// installed program's path from the installer and never fails the installation: a
// value that cannot be removed or restored is left as it is.

#include <windows.h>

#include <msi.h>
#include <msiquery.h>

#include <string>

#include "launch/InstallerRunValues.h"
#include "launch/ModParse.h"
#include "win32/Abandoned.h"
#include "win32/BrowserEmulation.h"
#include "win32/WideText.h"
#include "win32/Win32Registry.h"

namespace {

// The installer's texts are UTF-16, as the program's own folder may need.
std::string Property(MSIHANDLE install, const wchar_t* name) {
    DWORD size = 0;
    wchar_t empty[1] = L"";
    // The first call gives the length; ERROR_MORE_DATA is its answer for a value.
    if (MsiGetPropertyW(install, name, empty, &size) != ERROR_MORE_DATA) {
        return {};
    }
    std::wstring value(++size, L'\0');
    if (MsiGetPropertyW(install, name, value.data(), &size) != ERROR_SUCCESS) {
        return {};
    }
    value.resize(size);
    return datrelle::win32::Utf8FromWide(value);
}

}  // namespace

// Uninstall (not an upgrade), deferred; its data is the installed program's path.
extern "C" __declspec(dllexport) UINT __stdcall ForgetRegistryValues(MSIHANDLE install) noexcept {
    try {
        const std::string program = Property(install, L"CustomActionData");
        if (!program.empty()) {
            datrelle::win32::Win32Registry registry;
            datrelle::ForgetRunValues(registry, program);
            (void)datrelle::win32::ForgetBrowserEmulation(datrelle::SplitPath(program).fileName);
        }
    } catch (...) {
        // Out of memory: the values stay, which is harmless.
        datrelle::win32::TraceAbandoned("the installer action ForgetRegistryValues");
    }
    return ERROR_SUCCESS;
}

// An upgrade, before the old version is removed: notes where a Run value starts the
// installed program, for RestoreRunValues. The old version's removal takes the values
// away where the installer does not tell it that it is part of an upgrade (Wine).
extern "C" __declspec(dllexport) UINT __stdcall RememberRunValues(MSIHANDLE install) noexcept {
    try {
        const std::string program = Property(install, L"DATRELLEEXE");
        if (!program.empty()) {
            datrelle::win32::Win32Registry registry;
            const std::string found =
                datrelle::EncodeRunValues(datrelle::FindRunValues(registry, program), program);
            // Without it nothing is restored, as before this action existed.
            (void)MsiSetPropertyW(install, L"RestoreRunValues",
                                  datrelle::win32::WideFromUtf8(found).c_str());
        }
    } catch (...) {
        // Out of memory: nothing is restored.
        datrelle::win32::TraceAbandoned("the installer action RememberRunValues");
    }
    return ERROR_SUCCESS;
}

// An upgrade, deferred, after the new version's files are in place; its data is what
// RememberRunValues found.
extern "C" __declspec(dllexport) UINT __stdcall RestoreRunValues(MSIHANDLE install) noexcept {
    try {
        if (const auto found = datrelle::DecodeRunValues(Property(install, L"CustomActionData"))) {
            datrelle::win32::Win32Registry registry;
            datrelle::RestoreRunValues(registry, found->programPath, found->places);
        }
    } catch (...) {
        // Out of memory: the program writes its value again at its next start.
        datrelle::win32::TraceAbandoned("the installer action RestoreRunValues");
    }
    return ERROR_SUCCESS;
}
