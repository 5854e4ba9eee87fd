#include "win32/Win32Tray.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>

namespace datrelle::win32 {

// Icons are added and deleted with the first, smallest form of NOTIFYICONDATAA, which
// every version of Windows accepts: 88 bytes in a 32-bit program, 104 in a 64-bit one
// (handles are wider there). A notification needs the second form, the first that has
// its fields.
#ifdef _WIN64
static_assert(NOTIFYICONDATAA_V1_SIZE == 104);
#else
static_assert(NOTIFYICONDATAA_V1_SIZE == 88);
#endif

bool Win32Tray::Notify(TrayCommand command, const NotifyRecord& record) {
    NOTIFYICONDATAA data{};
    data.cbSize =
        command == TrayCommand::Modify ? NOTIFYICONDATAA_V2_SIZE : NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = reinterpret_cast<HWND>(record.hWnd);
    data.uID = record.uID;
    data.uFlags = record.uFlags;
    data.uCallbackMessage = record.uCallbackMessage;
    data.hIcon = reinterpret_cast<HICON>(record.hIcon);
    static_assert(sizeof record.szTip <= sizeof data.szTip);
    std::copy(record.szTip.begin(), record.szTip.end(), data.szTip);
    static_assert(sizeof record.szInfo == sizeof data.szInfo);
    static_assert(sizeof record.szInfoTitle == sizeof data.szInfoTitle);
    std::copy(record.szInfo.begin(), record.szInfo.end(), data.szInfo);
    std::copy(record.szInfoTitle.begin(), record.szInfoTitle.end(), data.szInfoTitle);
    data.dwInfoFlags = record.dwInfoFlags;
    static_assert(static_cast<DWORD>(TrayCommand::Add) == NIM_ADD &&
                  static_cast<DWORD>(TrayCommand::Modify) == NIM_MODIFY &&
                  static_cast<DWORD>(TrayCommand::Delete) == NIM_DELETE);
    return Shell_NotifyIconA(static_cast<DWORD>(command), &data) != FALSE;
}

}  // namespace datrelle::win32
