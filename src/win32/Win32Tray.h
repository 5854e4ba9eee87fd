#pragma once

#include "platform/Tray.h"
#include "win32/IconHolders.h"

namespace datrelle::win32 {

class Win32Tray : public Tray {
  public:
    explicit Win32Tray(const IconHolders& holders) : holders_(holders) {}

    std::optional<IconHolder> Holder(IconKind kind, int index) const override {
        return holders_.Holder(kind, index);
    }
    bool Notify(TrayCommand command, const NotifyRecord& record) override;

  private:
    const IconHolders& holders_;
};

}  // namespace datrelle::win32
