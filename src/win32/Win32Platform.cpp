#include "win32/Win32Platform.h"

#include "win32/BrowserEmulation.h"
#include "win32/Dpi.h"

namespace datrelle::win32 {

bool Win32Platform::AttachWindow(HWND window, HINSTANCE instance) {
    window_.Attach(window);
    messages_.SetOwner(window);
    clipboard_.SetOwner(window);
    fileDialog_.SetOwner(window);
    monthView_.Attach(instance, window);
    return tray_.Create(window, instance, DpiOf(window));
}

void Win32Platform::AttachControls(const ControlWindows& controls) {
    const HWND text1 = controls.Get(ControlId::Text1);
    const HWND webBrowser1 = controls.Get(ControlId::WebBrowser1);
    window_.AttachPanels(text1, webBrowser1);
    notes_.Attach(text1);
    // Without OLE the browser control cannot be embedded; the panel then stays empty.
    ole_.emplace();
    // Without the value the browser panel renders as an old browser would; it still
    // works. It must be set before the control is made.
    (void)SetBrowserEmulation();
    // Without a browser control the panel stays empty and its commands do nothing.
    (void)browser_.Attach(webBrowser1);
}

}  // namespace datrelle::win32
