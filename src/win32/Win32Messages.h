#pragma once

#include <windows.h>

#include "platform/Messages.h"

namespace datrelle::win32 {

inline constexpr const wchar_t* kProgramTitle = L"Datrelle";

class Win32Messages : public Messages {
  public:
    void SetOwner(HWND owner) { owner_ = owner; }
    void Show(std::string_view text) override;

  private:
    HWND owner_ = nullptr;
};

}  // namespace datrelle::win32
