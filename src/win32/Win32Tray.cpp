#include "win32/Win32Tray.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>

namespace datrelle::win32 {

// The record handed to the shell is the first, smallest form of NOTIFYICONDATAA, which
// every version of Windows accepts: 88 bytes in a 32-bit program, 104 in a 64-bit one
// (handles are wider there).
#ifdef _WIN64
static_assert(NOTIFYICONDATAA_V1_SIZE == 104);
#else
static_assert(NOTIFYICONDATAA_V1_SIZE == 88);
#endif

bool Win32Tray::Notify(TrayCommand command, const NotifyRecord& record) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = reinterpret_cast<HWND>(record.hWnd);
    data.uID = record.uID;
    data.uFlags = record.uFlags;
    data.uCallbackMessage = record.uCallbackMessage;
    data.hIcon = reinterpret_cast<HICON>(record.hIcon);
    static_assert(sizeof record.szTip == 64);
    std::copy(record.szTip.begin(), record.szTip.end(), data.szTip);
    const DWORD message = command == TrayCommand::Add ? NIM_ADD : NIM_DELETE;
    return Shell_NotifyIconA(message, &data) != FALSE;
}

}  // namespace datrelle::win32
