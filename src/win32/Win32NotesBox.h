#pragma once

#include <windows.h>

#include "platform/NotesBox.h"

namespace datrelle::win32 {

// The notes box Text1: a multi-line edit control.
class Win32NotesBox : public NotesBox {
  public:
    void Attach(HWND edit) { edit_ = edit; }

    std::optional<std::string> Text() const override;
    bool SetText(std::string_view text) override;

  private:
    HWND edit_ = nullptr;
};

}  // namespace datrelle::win32
