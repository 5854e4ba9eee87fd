#pragma once

#include <cstdint>

namespace datrelle {

// Opaque handles as the portable logic sees them. The Win32 layer maps them to
// HWND and HICON; the logic only stores and compares them.
using WindowHandle = std::uintptr_t;
using IconHandle = std::uintptr_t;

}  // namespace datrelle
