#pragma once

#include <string_view>

#include "form/CommonDialog.h"
#include "form/Form.h"

// "Auto Start App" and the tray menu's "Auto-Start an Application": the user chooses the
// file that is opened a while after the next start-ups. The choice lives in memory
// until shutdown saves it.

namespace datrelle {

inline constexpr std::string_view kAutoAppFilter =
    "Program Files|*.exe|Document Files|*.htm;*.doc;*.xls;*.pdf|Media Files|*.avi;*.wmv;*.mp3;"
    "*.wav;*.mpg|All Files|*.*";

class AutoStartChooser {
  public:
    AutoStartChooser(CommonDialog& dialog, Form& form, SharedVariables& vars)
        : dialog_(dialog), form_(form), vars_(vars) {}

    // Command9's click, and the tray menu item's: the item runs it also while the button
    // is disabled (see App::WireHandlers).
    void OnCommand9Click();

  private:
    CommonDialog& dialog_;
    Form& form_;
    SharedVariables& vars_;
};

}  // namespace datrelle
