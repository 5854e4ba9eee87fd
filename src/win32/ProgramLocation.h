#pragma once

#include <windows.h>

#include <optional>

#include "platform/ProgramFile.h"

namespace datrelle::win32 {

// The folder and base name of this program's executable; nullopt when the system
// cannot say.
std::optional<ProgramFile> CurrentProgramFile(HINSTANCE instance);

// Whether another copy of the program already runs in this logon session. The
// returned guard keeps this copy registered while it lives.
class SingleInstance {
  public:
    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    bool AnotherIsRunning() const { return anotherIsRunning_; }

  private:
    HANDLE mutex_ = nullptr;
    bool anotherIsRunning_ = false;
};

}  // namespace datrelle::win32
