#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/ProgramFile.h"
#include "win32/Unique.h"

namespace datrelle::win32 {

// The full path of a module's file (this program's, for none), in UTF-8; "" when the
// system cannot say.
std::string ModulePath(HMODULE module = nullptr);

// The folder and base name of this program's executable; nullopt when the system
// cannot say.
std::optional<ProgramFile> CurrentProgramFile(HINSTANCE instance);

// The named mutex by which the copies of the program find each other. "Local\": one
// copy per logon session, so users of one machine don't block each other.
// The name stays as it was, so that older and newer copies still exclude each other.
inline constexpr const wchar_t* kSingleInstanceMutex = L"Local\\Tavrin.Datrelle.SingleInstance";

// Whether another copy of the program already runs in this logon session. The object
// holds the named mutex, so later copies find this one for as long as it lives.
class SingleInstance {
  public:
    SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    bool AnotherIsRunning() const { return anotherIsRunning_; }

  private:
    UniqueHandle mutex_;
    bool anotherIsRunning_ = false;
};

}  // namespace datrelle::win32
