#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/FileDialog.h"

// CommonDialog1's window: the system's common Open dialog.

namespace datrelle::win32 {

class Win32FileDialog : public FileDialog {
  public:
    // The window the dialog belongs to: disabled while it is open, and the dialog
    // stays in front of it.
    void SetOwner(HWND owner) { owner_ = owner; }

    std::string ShowOpen(const FileDialogRequest& request) override;

  private:
    HWND owner_ = nullptr;
    // The filter entry chosen last time (0 before the first use: the first entry), kept
    // like every other property of the one shared dialog.
    DWORD filterIndex_ = 0;
};

// The folder the dialog starts in: initDir itself when it is a folder, otherwise the
// folder part of it (the notes file given as the starting point, even one that does
// not exist yet); "" when it has none.
std::string StartingFolder(std::string_view initDir);

}  // namespace datrelle::win32
