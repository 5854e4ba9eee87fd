#include "launch/Launcher.h"

#include <optional>
#include <string>

#include "launch/ModParse.h"

namespace datrelle {

std::intptr_t ShellOpen(Shell& shell, std::string_view file, std::string_view folder) {
    std::optional<std::string> workingFolder;
    if (!folder.empty()) {
        workingFolder = std::string(folder);
    } else if (std::string part = FolderPart(file); !part.empty()) {
        workingFolder = std::move(part);
    }
    return shell.Execute("Open", file, "", workingFolder, kShowNormal);
}

std::string WeatherCommandLine(const Files& files, std::string_view weatherAppPath) {
    if (files.IsOrdinaryFile(weatherAppPath)) {
        return "\"" + std::string(weatherAppPath) + "\"";
    }
    return std::string(weatherAppPath);
}

void Launcher::OnTimer2Tick() {
    // Stopped first: the shell may run a message loop while it opens the file, and a
    // second tick dispatched there would open it twice.
    form_.Timer2.SetEnabled(false);
    if (!files_.IsOrdinaryFile(vars_.AppToRun)) {
        return;
    }
    // Whatever the shell reports: it shows its own message when it cannot open the file.
    (void)ShellOpen(shell_, vars_.AppToRun, "");
    form_.mnuAutoApp.SetChecked(true);
}

void Launcher::OnCheck4Click() {
    if (form_.Check4.Value() != CheckBox::kChecked || vars_.WeatherAppPath.empty()) {
        return;
    }
    // A weather program that cannot be started is not the date display's concern; the
    // user sees it is not there and nothing else depends on it.
    (void)shell_.StartProcess(WeatherCommandLine(files_, vars_.WeatherAppPath), kShowMinimized);
}

}  // namespace datrelle
