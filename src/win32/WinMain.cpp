#include <windows.h>

#include <commctrl.h>

#include "win32/BrowserEmulation.h"
#include "win32/MainWindow.h"
#include "win32/OleScope.h"
#include "win32/ProgramLocation.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // A second copy ends at once: no window, no tray icon, the settings untouched.
    const datrelle::win32::SingleInstance instanceGuard;
    if (instanceGuard.AnotherIsRunning()) {
        return 0;
    }
    const auto program = datrelle::win32::CurrentProgramFile(instance);
    if (!program) {
        return 1;
    }

    // Should this fail, the notes box's tooltip is the one control that may be missing,
    // and the window is made without it; the other controls are the system's own.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    // OLE outlives the window: the browser control in it needs OLE until it is gone.
    const datrelle::win32::OleScope ole;
    // Without the value the browser panel renders as an old browser would; it still works.
    (void)datrelle::win32::SetBrowserEmulation();

    datrelle::win32::MainWindow mainWindow(instance, *program);
    if (!mainWindow.Create()) {
        return 1;
    }
    mainWindow.Start();

    // GetMessageA fails (-1) only for a window filter that is not a window; there is none.
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // The browser takes its own keys first; then Tab and the access keys move
        // between the window's controls.
        if (!mainWindow.browser().TranslateKey(message) &&
            !IsDialogMessageA(mainWindow.window(), &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
