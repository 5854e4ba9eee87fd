// Figures for the README, printed, never asserted: the notes box's text file loader
// reading files of 5 and 50 MB from disk, decoding included, in each encoding a notes
// file can have. Linear growth means the 50 MB file takes about ten times as long as the
// 5 MB one.
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

#include "viewer/NotesFile.h"
#include "viewer/TextEncoding.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <unistd.h>

namespace {

constexpr int kRepeats = 11;

// Plain files from disk, as the Windows layer reads them.
class DiskFiles : public datrelle::Files {
  public:
    datrelle::PathKind KindOf(std::string_view path) const override {
        const std::filesystem::path name(path);
        return std::filesystem::is_regular_file(name) ? datrelle::PathKind::OrdinaryFile
               : std::filesystem::exists(name)        ? datrelle::PathKind::Folder
                                                      : datrelle::PathKind::Nothing;
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
};

// Latin-1 stands in for the system's ANSI code page, which the native build has not.
class Latin1 : public datrelle::CodePage {
  public:
    std::optional<std::string> AnsiToUtf8(std::string_view ansi) const override {
        // Into room for the longest result, then cut, as the system's conversion is used.
        std::string text(ansi.size() * 2, '\0');
        char* out = text.data();
        for (const unsigned char byte : ansi) {
            if (byte < 0x80) {
                *out++ = static_cast<char>(byte);
            } else {
                *out++ = static_cast<char>(0xC0 | byte >> 6);
                *out++ = static_cast<char>(0x80 | (byte & 0x3F));
            }
        }
        text.resize(static_cast<std::size_t>(out - text.data()));
        return text;
    }
    std::optional<std::string> Utf8ToAnsi(std::string_view) const override { return std::nullopt; }
};

// The files' encodings, with a word of each that is not plain ASCII where they have one.
struct Sample {
    const char* name;
    datrelle::TextEncoding encoding;
    const char* word;
};
constexpr Sample kSamples[] = {
    {"ASCII", datrelle::TextEncoding::Ansi, ""},
    {"ANSI", datrelle::TextEncoding::Ansi, " caf\xE9"},
    {"UTF-8", datrelle::TextEncoding::Utf8,
     " Gr\xC3\xBC\xC3\x9F"
     "e \xE2\x80\x93 5 \xE2\x82\xAC"},
    {"UTF-16", datrelle::TextEncoding::Utf16Le,
     " Gr\xC3\xBC\xC3\x9F"
     "e \xE2\x80\x93 5 \xE2\x82\xAC"},
};

// Notes-like text: lines of varying length ending in CR LF, a few bare LFs and CRs and
// some empty lines, so every path through the line splitting is taken; in the sample's
// encoding.
bool WriteSample(const std::string& path, std::size_t bytes, const Sample& sample) {
    std::string text;
    text.reserve(bytes + 128);
    const char* const endings[] = {"\r\n", "\r\n", "\r\n", "\r", "\n", "\r\n\r\n"};
    unsigned line = 0;
    while (text.size() < bytes) {
        text += "Note " + std::to_string(line) + ":" + sample.word + " ";
        text.append(20 + (line * 37) % 60, static_cast<char>('a' + line % 26));
        text += endings[line % std::size(endings)];
        ++line;
    }
    std::size_t end = bytes;
    if (sample.encoding == datrelle::TextEncoding::Utf16Le) {
        text = datrelle::EncodeText(text, sample.encoding, Latin1()).bytes;
    }
    // Cut where a character starts, so that the file stays in its encoding.
    while ((static_cast<unsigned char>(text[end]) & 0xC0) == 0x80 || end % 2 != 0) {
        --end;
    }
    text.resize(end);
    std::ofstream file{path, std::ios::binary};
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    return static_cast<bool>(file);
}

// Walks through a buffer larger than the processor's last-level cache, so the next
// load starts with none of its data cached. A 5 MB file and its text would otherwise
// stay in a large cache between loads while a 50 MB one cannot, and the ratio would
// measure the cache's size rather than the loader's growth.
class CacheEvictor {
  public:
    CacheEvictor() : buffer_(EvictionBytes(), 1) {}
    void Evict() {
        for (std::size_t i = 0; i < buffer_.size(); i += 64) {
            buffer_[i] = static_cast<char>(buffer_[i] + 1);
        }
    }

  private:
    static std::size_t EvictionBytes() {
        long cache = 0;
#if defined(_SC_LEVEL3_CACHE_SIZE)
        cache = sysconf(_SC_LEVEL3_CACHE_SIZE);
#endif
        constexpr std::size_t kFallback = 256u << 20;
        const std::size_t bytes = cache > 0 ? static_cast<std::size_t>(cache) : kFallback;
        return std::min<std::size_t>(2 * bytes, 1024u << 20);
    }

    std::vector<char> buffer_;
};

// One load, in seconds; nullopt when it failed or read another encoding.
std::optional<double> TimeLoad(const std::string& path, const Sample& sample) {
    DiskFiles files;
    const auto begin = std::chrono::steady_clock::now();
    datrelle::NotesFile file;
    const auto loaded = file.Load(files, Latin1(), path);
    const auto end = std::chrono::steady_clock::now();
    if (loaded.found != datrelle::NotesFound::Loaded || loaded.text->empty() ||
        file.Encoding() != sample.encoding) {
        return std::nullopt;
    }
    return std::chrono::duration<double>(end - begin).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Loads of one sample's files, printed.
bool Measure(const std::filesystem::path& folder, const Sample& sample) {
    constexpr std::size_t kMegabyte = 1024 * 1024;
    const std::size_t sizes[] = {5 * kMegabyte, 50 * kMegabyte};
    std::vector<std::string> paths;
    for (const std::size_t size : sizes) {
        paths.push_back(
            (folder / ("loader-bench-" + std::to_string(size / kMegabyte) + "MB.txt")).string());
        if (!WriteSample(paths.back(), size, sample)) {
            std::fprintf(stderr, "cannot write %s\n", paths.back().c_str());
            return false;
        }
    }
    // The two sizes alternate, so whatever else the machine does falls on both alike;
    // each load is timed once with the caches as the previous load left them (warm) and
    // once after they were emptied (cold).
    static CacheEvictor evictor;
    std::vector<double> warm[2];
    std::vector<double> cold[2];
    std::vector<double> readOnly;  // the 50 MB file's bytes alone, as the floor
    for (int repeat = 0; repeat < kRepeats; ++repeat) {
        for (std::size_t i = 0; i < paths.size(); ++i) {
            const auto first = TimeLoad(paths[i], sample);
            const auto second = TimeLoad(paths[i], sample);
            evictor.Evict();
            const auto third = TimeLoad(paths[i], sample);
            if (!first || !second || !third) {
                std::fprintf(stderr, "loading %s failed\n", paths[i].c_str());
                return false;
            }
            warm[i].push_back(*second);
            cold[i].push_back(*third);
        }
        const auto begin = std::chrono::steady_clock::now();
        if (!DiskFiles().ReadAll(paths.back())) {
            return false;
        }
        readOnly.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());
    }
    for (const std::string& path : paths) {
        std::filesystem::remove(path);
    }
    std::printf("%s\n", sample.name);
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const double megabytes = static_cast<double>(sizes[i] / kMegabyte);
        std::printf("  %3.0f MB: warm %7.1f ms %6.0f MB/s, cold %7.1f ms %6.0f MB/s\n", megabytes,
                    Median(warm[i]) * 1000, megabytes / Median(warm[i]), Median(cold[i]) * 1000,
                    megabytes / Median(cold[i]));
    }
    std::printf("  50 MB read alone, into fresh memory: %.1f ms\n", Median(readOnly) * 1000);
    std::printf("  50 MB / 5 MB time ratio: warm %.2f, cold %.2f (linear is 10, limit 12)\n",
                Median(warm[1]) / Median(warm[0]), Median(cold[1]) / Median(cold[0]));
    return true;
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
    for (const Sample& sample : kSamples) {
        if (!Measure(folder, sample)) {
            return 1;
        }
    }
    return 0;
}
