#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace datrelle {

// Window show modes handed to the shell and to new processes, with the system's numbers.
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 6;

// Starting other programs.
class Shell {
  public:
    virtual ~Shell() = default;

    // Hands a file to the shell with the desktop window as the owner of any message the
    // shell shows itself. No working folder (nullopt) leaves the choice to the shell.
    // The shell's status code: above 32 is success.
    virtual std::intptr_t Execute(std::string_view operation, std::string_view file,
                                  std::string_view parameters,
                                  const std::optional<std::string>& workingFolder,
                                  int showCommand) = 0;

    // Starts a program from a command line with this window show mode, holding nothing
    // of the new process; false when it could not be started.
    virtual bool StartProcess(std::string_view commandLine, int showMode) = 0;
};

}  // namespace datrelle
