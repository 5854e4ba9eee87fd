#include <windows.h>

#include "win32/MainWindow.h"
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

    datrelle::win32::MainWindow mainWindow(instance, *program);
    if (!mainWindow.Start()) {
        return 1;
    }

    // GetMessageW fails (-1) only for a window filter that is not a window; there is
    // none. The wide functions bring characters typed or posted to a Unicode control
    // whole; the ANSI windows get theirs converted by the system.
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!mainWindow.PreTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}
