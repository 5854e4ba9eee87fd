// A stand-in for the programs Datrelle opens and starts. Each start appends one record
// to "marker.txt" beside the executable: the working folder, the command line and the
// window show mode it was given (-1 for none), a line each.

#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH];
    char folder[MAX_PATH] = "";
    const std::string self(path, GetModuleFileNameA(nullptr, path, MAX_PATH));
    GetCurrentDirectoryA(MAX_PATH, folder);
    STARTUPINFOA startup{};
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
    const std::string record =
        std::string(folder) + "\n" + GetCommandLineA() + "\n" + std::to_string(show) + "\n";
    // One write per record, so a reader never sees half of one.
    FILE* file =
        std::fopen((self.substr(0, self.find_last_of('\\')) + "\\marker.txt").c_str(), "ab");
    return file != nullptr && std::fwrite(record.data(), 1, record.size(), file) == record.size() &&
                   std::fclose(file) == 0
               ? 0
               : 1;
}
