// Figures for the README, printed, never asserted:
//   StartupBench startup RUNS DATRELLE_EXE MINIMAL_EXE
//     times each program from CreateProcess until its tray icons exist, alternating
//     the two, and prints the medians and their ratio;
//   StartupBench idle SECONDS DATRELLE_EXE
//     prints the CPU time Datrelle uses while it sits idle in the tray.
// Each program runs from a temporary folder of its own, as a user would keep it.

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kReadyTimeout = std::chrono::seconds(30);

std::string ClassName(HWND window) {
    char name[256] = "";
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::string Caption(HWND window) {
    char text[256] = "";
    const int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, static_cast<std::size_t>(length > 0 ? length : 0));
}

bool TrayHasIcon(HWND owner) {
    if (owner == nullptr) {
        return false;
    }
    // "Modifying" an icon with no fields fails when the shell has no such icon.
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = owner;
    data.uID = 1;
    data.uFlags = 0;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

struct Search {
    DWORD processId;
    std::string className;
    HWND found = nullptr;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<Search*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == search.processId && ClassName(window) == search.className) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindTopLevel(DWORD processId, const char* className) {
    Search search{processId, className};
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

struct ChildSearch {
    std::string caption;
    HWND found = nullptr;
};

BOOL CALLBACK MatchHolder(HWND window, LPARAM lParam) {
    auto& search = *reinterpret_cast<ChildSearch*>(lParam);
    if (ClassName(window) == "DatrellePictureBox" && Caption(window) == search.caption) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindHolder(HWND mainWindow, const std::string& caption) {
    ChildSearch search{caption};
    EnumChildWindows(mainWindow, MatchHolder, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Datrelle is ready when the day and the month icon are both in the tray.
HWND DatrelleReady(DWORD processId) {
    const HWND mainWindow = FindTopLevel(processId, "DatrelleForm");
    if (mainWindow == nullptr) {
        return nullptr;
    }
    SYSTEMTIME today;
    GetLocalTime(&today);
    const bool ready =
        TrayHasIcon(FindHolder(mainWindow, "Picture1(" + std::to_string(today.wDay) + ")")) &&
        TrayHasIcon(FindHolder(mainWindow, "Picture2(" + std::to_string(today.wMonth) + ")"));
    return ready ? mainWindow : nullptr;
}

HWND MinimalReady(DWORD processId) {
    const HWND window = FindTopLevel(processId, "BenchMinimalTray");
    return TrayHasIcon(window) ? window : nullptr;
}

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

// A fresh folder holding a copy of the program, so that settings written by one run
// stay with that program and no earlier state leaks in.
std::optional<std::string> CopyToTemp(const std::string& exePath, const char* tag) {
    char temp[MAX_PATH];
    if (GetTempPathA(MAX_PATH, temp) == 0) {
        return std::nullopt;
    }
    const std::string folder =
        std::string(temp) + "datrelle-bench-" + tag + "-" + std::to_string(GetCurrentProcessId());
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        return std::nullopt;
    }
    const std::string name = exePath.substr(exePath.find_last_of("\\/") + 1);
    const std::string copy = folder + "\\" + name;
    if (!CopyFileA(exePath.c_str(), copy.c_str(), FALSE)) {
        return std::nullopt;
    }
    return copy;
}

class Run {
  public:
    ~Run() {
        if (info_.hProcess != nullptr) {
            Stop();
            CloseHandle(info_.hProcess);
            CloseHandle(info_.hThread);
        }
    }

    // Starts the program and polls until ready() names its window. The time from
    // just before CreateProcess, or nullopt on failure or timeout.
    std::optional<double> Start(const std::string& exePath, HWND (*ready)(DWORD)) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + exePath + "\"";
        const std::string folder = FolderOf(exePath);
        const auto begin = Clock::now();
        if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                            nullptr, folder.c_str(), &startup, &info_)) {
            return std::nullopt;
        }
        while ((window_ = ready(info_.dwProcessId)) == nullptr) {
            if (Clock::now() - begin > kReadyTimeout ||
                WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0) {
                return std::nullopt;
            }
            Sleep(2);
        }
        return std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
    }

    // User plus kernel time so far, in milliseconds.
    std::optional<double> CpuMilliseconds() const {
        FILETIME created, exited, kernel, user;
        if (!GetProcessTimes(info_.hProcess, &created, &exited, &kernel, &user)) {
            return std::nullopt;
        }
        const auto ticks = [](const FILETIME& time) {
            return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
        };
        return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
    }

    // Closes the program as a user would, so that the next run (Datrelle allows one
    // copy per session) does not meet it.
    void Stop() {
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0) {
            return;
        }
        if (window_ != nullptr) {
            PostMessageA(window_, WM_CLOSE, 0, 0);
        }
        if (WaitForSingleObject(info_.hProcess, 10000) != WAIT_OBJECT_0) {
            // Last resort; the figures of this run are already taken.
            TerminateProcess(info_.hProcess, 99);
            WaitForSingleObject(info_.hProcess, 5000);
        }
    }

  private:
    PROCESS_INFORMATION info_{};
    HWND window_ = nullptr;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

int Startup(int runs, const std::string& datrelle, const std::string& minimal) {
    const auto datrelleCopy = CopyToTemp(datrelle, "datrelle");
    const auto minimalCopy = CopyToTemp(minimal, "minimal");
    if (!datrelleCopy || !minimalCopy) {
        std::fprintf(stderr, "cannot copy the programs to a temporary folder\n");
        return 1;
    }
    std::vector<double> datrelleTimes;
    std::vector<double> minimalTimes;
    for (int run = 1; run <= runs; ++run) {
        std::optional<double> minimalTime;
        std::optional<double> datrelleTime;
        {
            Run program;
            minimalTime = program.Start(*minimalCopy, MinimalReady);
        }
        {
            Run program;
            datrelleTime = program.Start(*datrelleCopy, DatrelleReady);
        }
        if (!minimalTime || !datrelleTime) {
            std::fprintf(stderr, "run %d: a program did not show its icons\n", run);
            return 1;
        }
        std::printf("run %2d: minimal %7.1f ms   Datrelle %7.1f ms\n", run, *minimalTime,
                    *datrelleTime);
        std::fflush(stdout);
        minimalTimes.push_back(*minimalTime);
        datrelleTimes.push_back(*datrelleTime);
    }
    const double minimalMedian = Median(minimalTimes);
    const double datrelleMedian = Median(datrelleTimes);
    std::printf("median of %d: minimal %.1f ms, Datrelle %.1f ms, ratio %.2f (target 1.30)\n", runs,
                minimalMedian, datrelleMedian, datrelleMedian / minimalMedian);
    return 0;
}

int Idle(int seconds, const std::string& datrelle) {
    const auto copy = CopyToTemp(datrelle, "idle");
    if (!copy) {
        std::fprintf(stderr, "cannot copy the program to a temporary folder\n");
        return 1;
    }
    Run program;
    if (!program.Start(*copy, DatrelleReady)) {
        std::fprintf(stderr, "Datrelle did not show its icons\n");
        return 1;
    }
    // Start-up work (the window hides itself a moment later) is not idle time.
    Sleep(3000);
    const auto before = program.CpuMilliseconds();
    Sleep(static_cast<DWORD>(seconds) * 1000);
    const auto after = program.CpuMilliseconds();
    if (!before || !after) {
        std::fprintf(stderr, "cannot read the process's times\n");
        return 1;
    }
    const double used = *after - *before;
    std::printf(
        "idle %d s: Datrelle used %.1f ms of CPU time (%.4f%% of one core); "
        "%.1f ms in all since its start\n",
        seconds, used, used / (seconds * 10.0), *after);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    const int count = argc > 2 ? std::atoi(argv[2]) : 0;
    if (mode == "startup" && argc == 5 && count > 0) {
        return Startup(count, argv[3], argv[4]);
    }
    if (mode == "idle" && argc == 4 && count > 0) {
        return Idle(count, argv[3]);
    }
    std::fprintf(stderr,
                 "usage: StartupBench startup RUNS DATRELLE_EXE MINIMAL_EXE\n"
                 "       StartupBench idle SECONDS DATRELLE_EXE\n");
    return 2;
}
