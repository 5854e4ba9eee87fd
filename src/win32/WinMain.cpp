#include <windows.h>

#include <commctrl.h>

#include "win32/MainWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    datrelle::win32::MainWindow mainWindow(instance);
    if (!mainWindow.Create()) {
        return 1;
    }
    mainWindow.Start();

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // Tab and the access keys move between the window's controls.
        if (!IsDialogMessageA(mainWindow.window(), &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
