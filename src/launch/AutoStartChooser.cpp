#include "launch/AutoStartChooser.h"

namespace datrelle {

void AutoStartChooser::OnCommand9Click() {
    form_.mnuAutoApp.SetChecked(false);
    // The stored file itself is the starting point, so the dialog opens in its folder.
    // The title is not touched: it may still read "Open File in browser".
    if (!vars_.AppToRun.empty()) {
        dialog_.InitDir = vars_.AppToRun;
    }
    dialog_.Filter = kAutoAppFilter;
    dialog_.ShowOpen();
    if (!dialog_.FileName.empty()) {
        vars_.AppToRun = dialog_.FileName;
    }
    // Also after a cancel: a stored choice stays active and is saved at shutdown.
    form_.mnuAutoApp.SetChecked(!vars_.AppToRun.empty());
}

}  // namespace datrelle
