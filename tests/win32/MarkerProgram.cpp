// A stand-in for the programs Datrelle starts. Each start appends one record to
// "marker.txt" beside the executable: the working folder, the command line and the
// window show mode it was given, so a test sees how it was started.

#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length == MAX_PATH) {
        return 1;
    }
    std::string record(path, length);
    const std::string markerFile = record.substr(0, record.find_last_of('\\')) + "\\marker.txt";

    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, folder);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) != 0 ? startup.wShowWindow : -1;
    record = std::string("cwd=") + folder + "\ncmd=" + GetCommandLineA() +
             "\nshow=" + std::to_string(show) + "\nend\n";

    // One write per record, so a reader never sees half of one.
    FILE* file = std::fopen(markerFile.c_str(), "ab");
    if (file == nullptr) {
        return 1;
    }
    std::fwrite(record.data(), 1, record.size(), file);
    std::fclose(file);
    return 0;
}
