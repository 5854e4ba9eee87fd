// Figures for the README, printed, never asserted:
//   StartupBench startup RUNS SERIES DATRELLE_EXE MINIMAL_EXE
//     times each program from CreateProcess until its last tray icon exists, in series
//     of RUNS alternating runs after one series thrown away, and prints each series'
//     medians and their ratio;
//   StartupBench idle SECONDS DATRELLE_EXE
//     prints the CPU time Datrelle uses while it sits idle in the tray.
// Each program runs from a temporary folder of its own, as a user would keep it. POLL_MS
// (default 2) is how often the tray is asked: a longer interval adds up to its length to
// both times, and should change nothing else.

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kReadyTimeout = std::chrono::seconds(30);

// Where a program's last tray icon is and whether the shell has it yet. The starting
// program needs the Wine server and the tray at every step, so a poll asks both as little
// as it can: the windows are looked up by class (a child also by name) until found, then
// kept, and from then on each poll is one question to the shell about the icon added
// last. Datrelle's check costs what the minimal program's does, but for its child lookup.
// A probe that reaches the tray while it adds an icon waits its turn (here the probes
// around an add often span 10-20 ms); it costs the tray one lookup, 0.3 ms in all.
class Readiness {
  public:
    Readiness(const wchar_t* mainClass, const wchar_t* childClass, std::wstring childName)
        : mainClass_(mainClass), childClass_(childClass), childName_(std::move(childName)) {}

    // Datrelle adds the day icon, then the month icon: the month's picture box owns the last.
    static Readiness Datrelle() {
        SYSTEMTIME today;
        GetLocalTime(&today);
        return {L"DatrelleForm", L"DatrellePictureBox",
                L"Picture2(" + std::to_wstring(today.wMonth) + L")"};
    }
    // The minimal program's window owns both icons; it adds id 1 last.
    static Readiness Minimal() { return {L"BenchMinimalTray", nullptr, L""}; }

    // The program's main window once the last icon is in the tray, else nullptr.
    HWND Check(DWORD processId) {
        if (main_ == nullptr) {
            const HWND window = FindWindowW(mainClass_, nullptr);
            DWORD owner = 0;
            if (window == nullptr || GetWindowThreadProcessId(window, &owner) == 0 ||
                owner != processId) {
                return nullptr;
            }
            main_ = window;
        }
        if (iconOwner_ == nullptr) {
            iconOwner_ = childClass_ == nullptr
                             ? main_
                             : FindWindowExW(main_, nullptr, childClass_, childName_.c_str());
            if (iconOwner_ == nullptr) {
                return nullptr;
            }
        }
        // "Modifying" an icon with no fields fails while the shell has no such icon.
        NOTIFYICONDATAW data{};
        data.cbSize = NOTIFYICONDATAW_V3_SIZE;
        data.hWnd = iconOwner_;
        data.uID = 1;
        return Shell_NotifyIconW(NIM_MODIFY, &data) ? main_ : nullptr;
    }

  private:
    const wchar_t* mainClass_;
    const wchar_t* childClass_;
    std::wstring childName_;
    HWND main_ = nullptr;
    HWND iconOwner_ = nullptr;
};

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

    // Starts the program and polls every pollMs until it is ready. The time from just
    // before CreateProcess, or nullopt on failure or timeout.
    std::optional<double> Start(const std::string& exePath, Readiness readiness, DWORD pollMs) {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + exePath + "\"";
        const std::string folder = FolderOf(exePath);
        const auto begin = Clock::now();
        if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                            nullptr, folder.c_str(), &startup, &info_)) {
            return std::nullopt;
        }
        while ((window_ = readiness.Check(info_.dwProcessId)) == nullptr) {
            if (Clock::now() - begin > kReadyTimeout ||
                WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0) {
                return std::nullopt;
            }
            Sleep(pollMs);
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

struct Medians {
    double minimal;
    double datrelle;
};

// One series of alternating runs, which program goes first changing from run to run, so
// that neither always starts right after the other one's exit.
std::optional<Medians> Series(int runs, const std::string& datrelle, const std::string& minimal,
                              DWORD pollMs) {
    std::vector<double> times[2];
    for (int run = 0; run < runs; ++run) {
        for (int turn = 0; turn < 2; ++turn) {
            const bool isDatrelle = (run + turn) % 2 == 1;
            Run program;
            const auto time = isDatrelle ? program.Start(datrelle, Readiness::Datrelle(), pollMs)
                                         : program.Start(minimal, Readiness::Minimal(), pollMs);
            if (!time) {
                std::fprintf(stderr, "run %d: %s did not show its icons\n", run + 1,
                             isDatrelle ? "Datrelle" : "the minimal program");
                return std::nullopt;
            }
            times[isDatrelle].push_back(*time);
        }
    }
    return Medians{Median(times[0]), Median(times[1])};
}

int Startup(int runs, int series, DWORD pollMs, const std::string& datrelle,
            const std::string& minimal) {
    const auto datrelleCopy = CopyToTemp(datrelle, "datrelle");
    const auto minimalCopy = CopyToTemp(minimal, "minimal");
    if (!datrelleCopy || !minimalCopy) {
        std::fprintf(stderr, "cannot copy the programs to a temporary folder\n");
        return 1;
    }
    std::printf("%d series of %d runs each after one thrown away, polling every %lu ms\n", series,
                runs, static_cast<unsigned long>(pollMs));
    std::vector<double> ratios;
    // Series 0 warms the prefix, the disk cache and the tray up; its figures are shown
    // but not counted: the first programs after a fresh prefix start slowly.
    for (int number = 0; number <= series; ++number) {
        const auto medians = Series(runs, *datrelleCopy, *minimalCopy, pollMs);
        if (!medians) {
            return 1;
        }
        const double ratio = medians->datrelle / medians->minimal;
        std::printf("%s %d: minimal %6.1f ms, Datrelle %6.1f ms, ratio %.2f\n",
                    number == 0 ? "warm-up" : "series ", number, medians->minimal,
                    medians->datrelle, ratio);
        std::fflush(stdout);
        if (number > 0) {
            ratios.push_back(ratio);
        }
    }
    std::printf(
        "median ratio of %d series: %.2f (lowest %.2f, highest %.2f; target 1.15, 1.3 beside a "
        "busy loop)\n",
        series, Median(ratios), *std::min_element(ratios.begin(), ratios.end()),
        *std::max_element(ratios.begin(), ratios.end()));
    return 0;
}

int Idle(int seconds, DWORD pollMs, const std::string& datrelle) {
    const auto copy = CopyToTemp(datrelle, "idle");
    if (!copy) {
        std::fprintf(stderr, "cannot copy the program to a temporary folder\n");
        return 1;
    }
    Run program;
    if (!program.Start(*copy, Readiness::Datrelle(), pollMs)) {
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
    const char* poll = std::getenv("POLL_MS");
    const int pollMs = poll != nullptr && *poll != '\0' ? std::atoi(poll) : 2;
    const int series = argc > 3 ? std::atoi(argv[3]) : 0;
    if (mode == "startup" && argc == 6 && count > 0 && series > 0 && pollMs > 0) {
        return Startup(count, series, static_cast<DWORD>(pollMs), argv[4], argv[5]);
    }
    if (mode == "idle" && argc == 4 && count > 0 && pollMs > 0) {
        return Idle(count, static_cast<DWORD>(pollMs), argv[3]);
    }
    std::fprintf(stderr,
                 "usage: StartupBench startup RUNS SERIES DATRELLE_EXE MINIMAL_EXE\n"
                 "       StartupBench idle SECONDS DATRELLE_EXE\n"
                 "POLL_MS in the environment: how often to ask whether the icons exist\n");
    return 2;
}
