#include "win32/Win32Files.h"

#include <windows.h>

#include "viewer/FileReplacement.h"
#include "win32/FileIo.h"
#include "win32/FileReplacement.h"
#include "win32/Unique.h"
#include "win32/WideText.h"

namespace datrelle::win32 {
namespace {

constexpr DWORD kNotOrdinary =
    FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

bool IsOrdinary(const WIN32_FIND_DATAW& data) {
    return (data.dwFileAttributes & kNotOrdinary) == 0;
}

// The existence test searches for exactly one name. A wildcard (including the DOS
// forms < > " that the search also expands) would let it find some other file, and a
// NUL would cut the name short; no file name can hold any of them.
bool CanBeAFileName(std::string_view path) {
    constexpr std::string_view kNeverInNames("*?<>\"\0", 6);
    return !path.empty() && path.find_first_of(kNeverInNames) == std::string_view::npos;
}

}  // namespace

PathKind Win32Files::KindOf(std::string_view path) const {
    if (!CanBeAFileName(path)) {
        return PathKind::Nothing;
    }
    WIN32_FIND_DATAW data;
    const UniqueFind search{OrNull(FindFirstFileW(WideFromUtf8(path).c_str(), &data))};
    if (!search) {
        return PathKind::Nothing;
    }
    if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return PathKind::Folder;
    }
    return IsOrdinary(data) ? PathKind::OrdinaryFile : PathKind::HiddenFile;
}

std::optional<std::string> Win32Files::FindFirst(std::string_view pattern) const {
    WIN32_FIND_DATAW data;
    const UniqueFind search{OrNull(FindFirstFileW(WideFromUtf8(pattern).c_str(), &data))};
    if (!search) {
        return std::nullopt;
    }
    do {
        if (IsOrdinary(data)) {
            return Utf8FromWide(data.cFileName);
        }
    } while (FindNextFileW(search.get(), &data));
    return std::nullopt;
}

std::optional<std::string> Win32Files::ReadAll(std::string_view path) const {
    // Others may keep the file open for reading or writing; one that holds it without
    // sharing makes the open fail, which is reported as "cannot be read".
    const UniqueHandle file{OrNull(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                               OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr))};
    return file ? ReadToEnd(file.get()) : std::nullopt;
}

Replacement Win32Files::ReplaceContent(std::string_view path, std::string_view content) {
    Win32FileOperations steps;
    return ReplaceFileContent(steps, std::string(path), content);
}

}  // namespace datrelle::win32
