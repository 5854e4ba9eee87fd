#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Shell.h"

// A shell that records what it is asked to open and start, and answers as the test says.

namespace datrelle::fakes {

struct ShellExecution {
    std::string operation;
    std::string file;
    std::string parameters;
    std::optional<std::string> workingFolder;
    int showCommand;
};

struct ProcessStart {
    std::string commandLine;
    int showMode;
};

class FakeShell : public Shell {
  public:
    std::intptr_t Execute(std::string_view operation, std::string_view file,
                          std::string_view parameters,
                          const std::optional<std::string>& workingFolder,
                          int showCommand) override {
        executions.push_back({std::string(operation), std::string(file), std::string(parameters),
                              workingFolder, showCommand});
        return executeStatus;
    }

    bool StartProcess(std::string_view commandLine, int showMode) override {
        starts.push_back({std::string(commandLine), showMode});
        return startSucceeds;
    }

    std::vector<ShellExecution> executions;
    std::vector<ProcessStart> starts;
    std::intptr_t executeStatus = 42;  // above 32: opened
    bool startSucceeds = true;
};

}  // namespace datrelle::fakes
