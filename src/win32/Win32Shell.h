#pragma once

#include "platform/Shell.h"

// Opening files through the shell and starting programs, by any path.

namespace datrelle::win32 {

class Win32Shell : public Shell {
  public:
    std::intptr_t Execute(std::string_view operation, std::string_view file,
                          std::string_view parameters,
                          const std::optional<std::string>& workingFolder,
                          int showCommand) override;
    bool StartProcess(std::string_view commandLine, int showMode) override;
};

}  // namespace datrelle::win32
