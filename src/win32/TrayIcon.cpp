#include "win32/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>

#include "tray/SysTray.h"
#include "win32/WideText.h"

namespace datrelle::win32 {
namespace {

// Every command goes with the record of Windows XP's shell (the third form): the
// smallest one with which the shell takes the fourth behaviour (the first form is
// accepted for it but changes nothing) and the notification's fields. Windows 10 and
// 11 accept every form. The wide record: the tooltip and the notification keep every
// character of the user's regional format.
constexpr DWORD kRecordSize = NOTIFYICONDATAW_V3_SIZE;

static_assert(static_cast<DWORD>(TrayCommand::Add) == NIM_ADD &&
              static_cast<DWORD>(TrayCommand::Modify) == NIM_MODIFY &&
              static_cast<DWORD>(TrayCommand::Delete) == NIM_DELETE &&
              static_cast<DWORD>(TrayCommand::SetFocus) == NIM_SETFOCUS &&
              static_cast<DWORD>(TrayCommand::SetVersion) == NIM_SETVERSION);

// The text into a field of the record, cut where the field would leave no room for its
// NUL (the logic cuts its texts to fit, never within a character).
template <std::size_t kSize>
void CopyText(WCHAR (&field)[kSize], std::string_view text) {
    const std::wstring wide = WideFromUtf8(text);
    const std::size_t length = std::min(wide.size(), kSize - 1);
    std::copy_n(wide.begin(), length, field);
    field[length] = L'\0';
}

NOTIFYICONDATAW ShellRecord(HWND owner, const NotifyRecord& record) {
    NOTIFYICONDATAW data{};
    data.cbSize = kRecordSize;
    data.hWnd = owner;
    data.uID = record.uID;
    data.uFlags = record.uFlags;
    data.uCallbackMessage = record.uCallbackMessage;
    data.hIcon = reinterpret_cast<HICON>(record.hIcon);
    static_assert(kTipUnits <= std::size(data.szTip) && kInfoUnits == std::size(data.szInfo) &&
                  kInfoTitleUnits == std::size(data.szInfoTitle));
    CopyText(data.szTip, record.szTip);
    CopyText(data.szInfo, record.szInfo);
    CopyText(data.szInfoTitle, record.szInfoTitle);
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
    NOTIFYICONDATAW data = ShellRecord(owner_, record);
    const bool done = Shell_NotifyIconW(static_cast<DWORD>(command), &data) != FALSE;
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
