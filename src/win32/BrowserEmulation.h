#pragma once

#include <windows.h>

#include <string>

// Asks the system's browser control to render pages as the current engine does for
// this program. Without it the control embedded in any program falls back to an old
// compatibility mode, in which most of today's sites show broken or warn about an
// outdated browser.

namespace datrelle::win32 {

// The mode asked for: the newest standards mode the control knows, whatever a page's
// own doctype says (IE 11 edge mode).
inline constexpr DWORD kBrowserEmulationMode = 11001;

// Sets the per-user, per-program value FEATURE_BROWSER_EMULATION for this executable's
// file name. It must run before the first browser control is created in the process.
// False when the value could not be written; the control then works in its old mode.
[[nodiscard]] bool SetBrowserEmulation();

// Deletes the value for a program of this file name when it holds the mode set above,
// as the program is uninstalled; a mode that someone else set stays. False when a value
// of that mode is there and cannot be deleted.
[[nodiscard]] bool ForgetBrowserEmulation(const std::string& exeName);

}  // namespace datrelle::win32
