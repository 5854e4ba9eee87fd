#pragma once

#include <windows.h>

#include "platform/Tray.h"

// One icon in the notification area: the icon number 1 of one window. It carries out the
// shell's commands for its icon and remembers whether the icon is in the tray, so that
// the icon leaves with its owner whatever ends the program. What the icon shows, and
// when it is added or renewed, the tray logic decides. As the shell's own calls, adding
// an icon that is there and deleting one that is not fail harmlessly.

namespace datrelle::win32 {

class TrayIcon {
  public:
    explicit TrayIcon(HWND owner) : owner_(owner) {}
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    ~TrayIcon();

    // Hands the record's fields to the shell for this icon; true when the shell
    // accepted the command.
    bool Carry(TrayCommand command, const NotifyRecord& record);

    HWND owner() const { return owner_; }

  private:
    HWND owner_;
    bool inTray_ = false;
};

}  // namespace datrelle::win32
