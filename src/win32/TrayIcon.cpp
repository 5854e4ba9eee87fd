#include "win32/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>

#include "tray/SysTray.h"

namespace datrelle::win32 {
namespace {

// Every command goes with the record of Windows XP's shell (the third form): the
// smallest one with which the shell takes the fourth behaviour (the first form is
// accepted for it but changes nothing) and the notification's fields. Windows 10 and
// 11 accept every form.
constexpr DWORD kRecordSize = NOTIFYICONDATAA_V3_SIZE;
#ifdef _WIN64
static_assert(NOTIFYICONDATAA_V1_SIZE == 104 && kRecordSize == 520);
#else
static_assert(NOTIFYICONDATAA_V1_SIZE == 88 && kRecordSize == 504);
#endif

static_assert(static_cast<DWORD>(TrayCommand::Add) == NIM_ADD &&
              static_cast<DWORD>(TrayCommand::Modify) == NIM_MODIFY &&
              static_cast<DWORD>(TrayCommand::Delete) == NIM_DELETE &&
              static_cast<DWORD>(TrayCommand::SetFocus) == NIM_SETFOCUS &&
              static_cast<DWORD>(TrayCommand::SetVersion) == NIM_SETVERSION);

NOTIFYICONDATAA ShellRecord(HWND owner, const NotifyRecord& record) {
    NOTIFYICONDATAA data{};
    data.cbSize = kRecordSize;
    data.hWnd = owner;
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
    // One field with the notification's time-out, which no command here uses.
    data.uVersion = record.uVersion;
    return data;
}

}  // namespace

TrayIcon::~TrayIcon() {
    if (inTray_) {
        // Nothing is left to do when the shell refuses: the owner is going.
        (void)Carry(TrayCommand::Delete, NotifyRecord{.uID = kTrayIconId});
    }
}

bool TrayIcon::Carry(TrayCommand command, const NotifyRecord& record) {
    NOTIFYICONDATAA data = ShellRecord(owner_, record);
    const bool done = Shell_NotifyIconA(static_cast<DWORD>(command), &data) != FALSE;
    if (command == TrayCommand::Add) {
        // Refused, the icon may be there already (added twice) or not (no taskbar):
        // either way what was known stays.
        inTray_ = inTray_ || done;
    } else if (command == TrayCommand::Delete) {
        inTray_ = false;
    }
    return done;
}

}  // namespace datrelle::win32
