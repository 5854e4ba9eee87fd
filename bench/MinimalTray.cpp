// The least a tray program does with the tray work Datrelle does: register a class,
// create a hidden window, add two icons, each asked for the fourth behaviour, and run a
// message loop until WM_CLOSE. The start-up benchmark's baseline.

#include <windows.h>

#include <shellapi.h>

namespace {

constexpr wchar_t kClassName[] = L"BenchMinimalTray";
// Added in this order; the benchmark takes the program as ready when the last answers.
constexpr UINT kIconIds[] = {2, 1};
// The record, flags and callback message Datrelle's icons are added with.
constexpr DWORD kRecordSize = NOTIFYICONDATAW_V3_SIZE;
constexpr UINT kFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP;
constexpr UINT kCallbackMessage = WM_MOUSEMOVE;

NOTIFYICONDATAW Record(HWND window, UINT id) {
    NOTIFYICONDATAW data{};
    data.cbSize = kRecordSize;
    data.hWnd = window;
    data.uID = id;
    return data;
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_DESTROY) {
        for (const UINT id : kIconIds) {
            NOTIFYICONDATAW data = Record(window, id);
            // Nothing to do when it fails: the process ends anyway.
            Shell_NotifyIconW(NIM_DELETE, &data);
        }
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool AddIcon(HWND window, UINT id, HICON icon) {
    NOTIFYICONDATAW data = Record(window, id);
    data.uFlags = kFlags;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = icon;
    lstrcpynW(data.szTip, L"Minimal tray", ARRAYSIZE(data.szTip));
    if (!Shell_NotifyIconW(NIM_ADD, &data)) {
        return false;
    }
    data = Record(window, id);
    data.uVersion = NOTIFYICON_VERSION_4;
    return Shell_NotifyIconW(NIM_SETVERSION, &data) != FALSE;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    if (RegisterClassW(&windowClass) == 0) {
        return 1;
    }
    const HWND window =
        CreateWindowW(kClassName, L"Minimal tray", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 200, 100, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    // A tray-sized icon, as Datrelle loads its own.
    const auto icon = static_cast<HICON>(LoadImageW(nullptr, MAKEINTRESOURCEW(32512), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXSMICON),
                                                    GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    for (const UINT id : kIconIds) {
        if (!AddIcon(window, id, icon)) {
            DestroyWindow(window);
            return 1;
        }
    }
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
