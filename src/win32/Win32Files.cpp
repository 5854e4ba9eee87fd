#include "win32/Win32Files.h"

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <new>

#include "win32/Unique.h"

namespace datrelle::win32 {
namespace {

// FindFirstFileA and CreateFileA report failure as INVALID_HANDLE_VALUE, not null;
// an owner given that value would take it for a handle and close it.
HANDLE OrNull(HANDLE handle) {
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

constexpr DWORD kNotOrdinary =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

bool IsOrdinary(const WIN32_FIND_DATAA& data) {
    return (data.dwFileAttributes & kNotOrdinary) == 0;
}

// The existence test searches for exactly one name. A wildcard (including the DOS
// forms < > " that the search also expands) would let it find some other file, and a
// NUL would cut the name short; no file name can hold any of them.
bool CanBeAFileName(std::string_view path) {
    constexpr std::string_view kNeverInNames("*?<>\"\0", 6);
    return !path.empty() && path.find_first_of(kNeverInNames) == std::string_view::npos;
}

// Largest piece handed to ReadFile and WriteFile at once: their counts are DWORDs.
constexpr std::size_t kChunk = 1u << 30;

bool WriteAll(HANDLE file, std::string_view content) {
    while (!content.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min(content.size(), kChunk));
        DWORD written = 0;
        if (!WriteFile(file, content.data(), piece, &written, nullptr) || written != piece) {
            return false;
        }
        content.remove_prefix(piece);
    }
    return true;
}

// The temporary beside the target, removed again unless it has become the target or
// must stay.
struct TemporaryFile {
    std::string path;
    bool kept = false;

    ~TemporaryFile() {
        if (!path.empty() && !kept) {
            // Best effort: a temporary that cannot be removed only takes up space.
            DeleteFileA(path.c_str());
        }
    }
};

}  // namespace

bool Win32Files::IsOrdinaryFile(std::string_view path) const {
    if (!CanBeAFileName(path)) {
        return false;
    }
    const std::string name(path);
    WIN32_FIND_DATAA data;
    const UniqueFind search{OrNull(FindFirstFileA(name.c_str(), &data))};
    return search && IsOrdinary(data);
}

bool Win32Files::Exists(std::string_view path) const {
    return GetFileAttributesA(std::string(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> Win32Files::FindFirst(std::string_view pattern) const {
    const std::string text(pattern);
    WIN32_FIND_DATAA data;
    const UniqueFind search{OrNull(FindFirstFileA(text.c_str(), &data))};
    if (!search) {
        return std::nullopt;
    }
    do {
        if (IsOrdinary(data)) {
            return std::string(data.cFileName);
        }
    } while (FindNextFileA(search.get(), &data));
    return std::nullopt;
}

std::optional<std::string> Win32Files::ReadAll(std::string_view path) const {
    const std::string name(path);
    // Others may keep the file open for reading or writing; one that holds it without
    // sharing makes the open fail, which is reported as "cannot be read".
    const UniqueHandle file{
        OrNull(CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr))};
    if (!file) {
        return std::nullopt;
    }
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) {
        return std::nullopt;
    }
    std::string bytes;
    try {
        const auto total = static_cast<unsigned long long>(size.QuadPart);
        if (total > bytes.max_size()) {
            return std::nullopt;
        }
        bytes.resize(static_cast<std::size_t>(total));
    } catch (const std::bad_alloc&) {
        return std::nullopt;  // larger than the memory the program can have
    }
    std::size_t used = 0;
    while (used < bytes.size()) {
        const DWORD piece = static_cast<DWORD>(std::min(bytes.size() - used, kChunk));
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + used, piece, &read, nullptr)) {
            return std::nullopt;
        }
        if (read == 0) {
            break;  // the file became shorter since its size was taken
        }
        used += read;
    }
    bytes.resize(used);
    return bytes;
}

namespace {

enum class Replacement { Done, Failed, NotThisWay };

enum class Target { Missing, Replaceable, Held };

// Another file can take the target's place only where the target may go: not without
// the right to delete it, nor while another program holds it without sharing its
// deletion. Looked at first, as Wine's ReplaceFileA leaves a file of its own beside a
// target that it cannot move aside.
Target LookAt(const std::string& target) {
    const UniqueHandle file{OrNull(
        CreateFileA(target.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, 0, nullptr))};
    if (file) {
        return Target::Replaceable;
    }
    return GetLastError() == ERROR_FILE_NOT_FOUND ? Target::Missing : Target::Held;
}

// The new content goes to a temporary in the target's folder (so the rename never
// crosses volumes), which then replaces the target: a failure half-way never leaves a
// truncated file. ReplaceFileA gives the temporary the target's attributes, access
// rights and other streams, which a plain rename would drop; what cannot be carried
// over does not stop the save. NotThisWay when the folder takes no new file or the
// target cannot be replaced by another file, while writing into it may still work.
Replacement ReplaceThroughTemporary(const std::string& target, std::string_view content) {
    const Target state = LookAt(target);
    if (state == Target::Held) {
        return Replacement::NotThisWay;
    }
    static std::atomic<unsigned> counter{0};
    // Declared before the handle, so the handle is closed before the temporary is removed.
    TemporaryFile temporary;
    UniqueHandle file;
    for (int attempt = 0; attempt < 100 && !file; ++attempt) {
        temporary.path = target + ".tmp-" + std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(counter++);
        HANDLE created = CreateFileA(temporary.path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created == INVALID_HANDLE_VALUE) {
            const DWORD error = GetLastError();
            temporary.path.clear();  // not ours: nothing to remove
            if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
                return Replacement::NotThisWay;
            }
            continue;
        }
        file.reset(created);
    }
    if (!file) {
        return Replacement::Failed;
    }
    // A write that fails here (a full disk, say) would fail in the target too, leaving
    // it half written.
    if (!WriteAll(file.get(), content) || !FlushFileBuffers(file.get())) {
        return Replacement::Failed;
    }
    // Closing cannot lose what the flush has written; its result adds nothing.
    file.reset();
    if (state == Target::Replaceable) {
        if (ReplaceFileA(target.c_str(), temporary.path.c_str(), nullptr,
                         REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                         nullptr)) {
            temporary.kept = true;
            return Replacement::Done;
        }
        // Only where the target was moved aside but the temporary not put in its place
        // does the plain rename below finish the work; any other refusal has left both
        // as they were.
        const DWORD error = GetLastError();
        if (error != ERROR_UNABLE_TO_MOVE_REPLACEMENT &&
            error != ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
            return Replacement::NotThisWay;
        }
    }
    // A missing target, or one moved aside: the temporary takes its name.
    if (!MoveFileExA(temporary.path.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        // Where the target was moved aside, the temporary may now hold the only copy of
        // the text on disk: it stays, whatever writing the target itself then does.
        temporary.kept = state == Target::Replaceable;
        return Replacement::NotThisWay;
    }
    temporary.kept = true;
    return Replacement::Done;
}

// The target itself written over and cut to the new length, as a text editor saves.
// OPEN_ALWAYS, not CREATE_ALWAYS: Windows refuses the latter on a hidden or system file
// unless given the same attributes, and the file keeps its own this way.
bool WriteInPlace(const std::string& target, std::string_view content) {
    const UniqueHandle file{
        OrNull(CreateFileA(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr))};
    return file && WriteAll(file.get(), content) && SetEndOfFile(file.get()) &&
           FlushFileBuffers(file.get());
}

}  // namespace

bool Win32Files::ReplaceContent(std::string_view path, std::string_view content) {
    const std::string target(path);
    if (target.empty()) {
        return false;
    }
    switch (ReplaceThroughTemporary(target, content)) {
        case Replacement::Done:
            return true;
        case Replacement::Failed:
            return false;
        case Replacement::NotThisWay:
            // A folder where only the file itself may be written, or a file another
            // program keeps open while letting others write it: saved the plain way.
            return WriteInPlace(target, content);
    }
    return false;
}

}  // namespace datrelle::win32
