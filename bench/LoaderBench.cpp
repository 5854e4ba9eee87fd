// Figures for the README, printed, never asserted: the notes box's text file loader
// reading files of 5 and 50 MB from disk. Linear growth means the 50 MB file takes
// about ten times as long as the 5 MB one.
//   LoaderBench [FOLDER]   (the files are written there, default the current folder)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "viewer/TextFileLoader.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

constexpr int kRepeats = 11;

// Plain files from disk, as the Windows layer reads them.
class DiskFiles : public datrelle::Files {
  public:
    bool IsOrdinaryFile(std::string_view path) const override {
        return std::filesystem::is_regular_file(std::filesystem::path(path));
    }
    std::optional<std::string> FindFirst(std::string_view) const override { return std::nullopt; }
    std::optional<std::string> ReadAll(std::string_view path) const override {
        // Sized first and read at once, as the Windows layer does.
        std::error_code error;
        const auto size = std::filesystem::file_size(std::filesystem::path(path), error);
        std::ifstream file{std::string(path), std::ios::binary};
        if (error || !file) {
            return std::nullopt;
        }
        std::string content(static_cast<std::size_t>(size), '\0');
        if (!file.read(content.data(), static_cast<std::streamsize>(content.size()))) {
            return std::nullopt;
        }
        return content;
    }
    bool ReplaceContent(std::string_view, std::string_view) override { return false; }
};

// Notes-like text: lines of varying length ending in CR LF, a few bare LFs and CRs and
// some empty lines, so every path through the line splitting is taken.
bool WriteSample(const std::string& path, std::size_t bytes) {
    std::string text;
    text.reserve(bytes + 128);
    const char* const endings[] = {"\r\n", "\r\n", "\r\n", "\r", "\n", "\r\n\r\n"};
    unsigned line = 0;
    while (text.size() < bytes) {
        text += "Note " + std::to_string(line) + ": ";
        text.append(20 + (line * 37) % 60, static_cast<char>('a' + line % 26));
        text += endings[line % std::size(endings)];
        ++line;
    }
    text.resize(bytes);
    std::ofstream file{path, std::ios::binary};
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(file);
}

// The median of a few loads, in seconds.
std::optional<double> TimeLoad(const std::string& path) {
    DiskFiles files;
    std::vector<double> times;
    for (int repeat = 0; repeat < kRepeats; ++repeat) {
        std::string textFileDir;
        const auto begin = std::chrono::steady_clock::now();
        const auto text = datrelle::LoadTextFile(files, path, textFileDir);
        const auto end = std::chrono::steady_clock::now();
        if (!text || text->empty()) {
            return std::nullopt;
        }
        times.push_back(std::chrono::duration<double>(end - begin).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
#if defined(__GLIBC__)
    // glibc raises its mmap threshold after the first large free, up to 32 MB, so
    // repeated 5 MB loads would reuse warm heap pages while 50 MB ones always get fresh
    // pages from the kernel. A fixed threshold gives both sizes fresh pages, as the
    // first load in the program has.
    mallopt(M_MMAP_THRESHOLD, 1024 * 1024);
#endif
    const std::filesystem::path folder = argc > 1 ? argv[1] : ".";
    constexpr std::size_t kMegabyte = 1024 * 1024;
    const std::size_t sizes[] = {5 * kMegabyte, 50 * kMegabyte};
    std::vector<double> seconds;
    for (const std::size_t size : sizes) {
        const std::string path =
            (folder / ("loader-bench-" + std::to_string(size / kMegabyte) + "MB.txt")).string();
        if (!WriteSample(path, size)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
        const auto time = TimeLoad(path);
        std::filesystem::remove(path);
        if (!time) {
            std::fprintf(stderr, "loading %s failed\n", path.c_str());
            return 1;
        }
        std::printf("%3zu MB: %8.1f ms  %7.1f MB/s\n", size / kMegabyte, *time * 1000,
                    static_cast<double>(size / kMegabyte) / *time);
        seconds.push_back(*time);
    }
    std::printf("50 MB / 5 MB time ratio: %.2f (linear is 10, limit 12)\n",
                seconds[1] / seconds[0]);
    return 0;
}
