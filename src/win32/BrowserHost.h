#pragma once

#include <windows.h>

// The window that holds the web browser panel WebBrowser1.

namespace datrelle::win32 {

[[nodiscard]] bool RegisterBrowserHostClass(HINSTANCE instance);

}  // namespace datrelle::win32
