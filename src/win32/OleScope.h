#pragma once

#include <windows.h>

#include <ole2.h>

// OLE for the thread that runs the window: the browser control is an OLE object that
// needs OLE, not only COM, on the thread it lives on (in-place activation, drag and
// drop, the clipboard it uses). Every OLE object must be released before the scope
// ends. The platform's owner (Win32Platform) starts it just before the browser control
// is made, and keeps it until the window and every OLE object in it are gone.

namespace datrelle::win32 {

class OleScope {
  public:
    OleScope() noexcept : initialized_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleScope() {
        if (initialized_) {
            OleUninitialize();
        }
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

    // False when OLE could not be started (then the browser panel stays empty).
    bool Initialized() const { return initialized_; }

  private:
    bool initialized_;
};

}  // namespace datrelle::win32
