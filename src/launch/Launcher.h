#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "form/Form.h"
#include "platform/Files.h"
#include "platform/Shell.h"

// Starting other programs: the file chosen to open once, a while after start-up
// (Timer2's single tick), and the weather program whenever "Start Nimbrel" becomes
// checked. The program never waits for, watches or stops what it started.

namespace datrelle {

// Opens the file with the shell's "Open" verb. Without a folder, the file's own folder
// is the working folder; a bare file name has none and leaves it to the shell. The
// shell's status code: above 32 is success.
std::intptr_t ShellOpen(Shell& shell, std::string_view file, std::string_view folder);

// The weather program's command line as it is started: a whole path that names an
// existing file is quoted, so a folder with spaces cannot start another program;
// anything else is taken as the command line the user wrote.
std::string WeatherCommandLine(const Files& files, std::string_view weatherAppPath);

class Launcher {
  public:
    Launcher(Shell& shell, const Files& files, Form& form, const SharedVariables& vars)
        : shell_(shell), files_(files), form_(form), vars_(vars) {}

    // Timer2's tick, AppDelay milliseconds after start-up: comes once per run.
    void OnTimer2Tick();
    // Check4's click, also when start-up sets the box.
    void OnCheck4Click();

  private:
    Shell& shell_;
    const Files& files_;
    Form& form_;
    const SharedVariables& vars_;
};

}  // namespace datrelle
