#pragma once

#include "platform/Tray.h"
#include "win32/IconHolders.h"

// The tray as the logic sees it: the picture boxes, and the tray icon each of them owns,
// which carries out the commands for its icon.

namespace datrelle::win32 {

class Win32Tray : public Tray {
  public:
    explicit Win32Tray(IconHolders& holders) : holders_(holders) {}

    std::optional<IconHolder> Holder(IconKind kind, int index) const override {
        return holders_.Holder(kind, index);
    }
    bool Notify(TrayCommand command, const NotifyRecord& record) override {
        TrayIcon* icon = holders_.TrayIconOf(record.hWnd);
        return icon != nullptr && icon->Carry(command, record);
    }

  private:
    IconHolders& holders_;
};

}  // namespace datrelle::win32
