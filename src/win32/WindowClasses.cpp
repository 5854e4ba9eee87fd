#include "win32/WindowClasses.h"

#include "resource.h"

namespace datrelle::win32 {

bool RegisterWindowClass(HINSTANCE instance, const WindowClass& windowClass) {
    WNDCLASSEXW registered{};
    registered.cbSize = sizeof registered;
    registered.style = windowClass.style;
    registered.lpfnWndProc = windowClass.procedure;
    registered.hInstance = instance;
    if (windowClass.programIcon) {
        // Shared icons belong to the system and are never destroyed by the program. A
        // missing icon leaves the system's default in its place.
        registered.hIcon = static_cast<HICON>(LoadImageW(
            instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED));
        registered.hIconSm = static_cast<HICON>(
            LoadImageW(instance, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    }
    // IDC_ARROW by its number: the header spells it for the narrow functions. Should it
    // be missing, the class has none and the pointer keeps the shape it comes with.
    registered.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    registered.hbrBackground = windowClass.background;
    registered.lpszClassName = windowClass.name;
    return RegisterClassExW(&registered) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace datrelle::win32
