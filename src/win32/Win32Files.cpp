#include "win32/Win32Files.h"

#include <windows.h>

#include <utility>

#include "win32/FileIo.h"
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

class InPlaceFile : public OpenFile {
  public:
    explicit InPlaceFile(UniqueHandle file) : file_(std::move(file)) {}

    std::optional<std::string> ReadAll() override { return ReadToEnd(file_.get()); }

    bool Resize(std::size_t length) override {
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(length);
        return SetFilePointerEx(file_.get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file_.get());
    }

    bool WriteWhole(std::string_view bytes) override {
        return SetFilePointerEx(file_.get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN) &&
               WriteAll(file_.get(), bytes) && Resize(bytes.size()) &&
               FlushFileBuffers(file_.get());
    }

  private:
    UniqueHandle file_;
};

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

TargetState Win32Files::Examine(const std::string& target) {
    const UniqueHandle file{
        OrNull(CreateFileW(WideFromUtf8(target).c_str(), DELETE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr))};
    if (file) {
        return TargetState::Renamable;
    }
    return GetLastError() == ERROR_FILE_NOT_FOUND ? TargetState::Missing
                                                  : TargetState::OnlyWritable;
}

NewFile Win32Files::CreateNew(const std::string& path, std::string_view content) {
    const UniqueHandle file{
        OrNull(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr))};
    if (!file) {
        return GetLastError() == ERROR_FILE_EXISTS ? NewFile::NameTaken : NewFile::NotMade;
    }
    // Closing cannot lose what the flush has written.
    return WriteAll(file.get(), content) && FlushFileBuffers(file.get()) ? NewFile::Written
                                                                         : NewFile::NotWritten;
}

// The target's hidden and system marks are kept: Windows gives the new file the replaced
// one's attributes, Wine 8 leaves the new file its own, and a hidden notes file would show
// after its first save.
bool Win32Files::Replace(const std::string& target, const std::string& replacement,
                         const std::string& backup) {
    const std::wstring name = WideFromUtf8(target);
    const DWORD before = GetFileAttributesW(name.c_str());
    const DWORD marks = before == INVALID_FILE_ATTRIBUTES
                            ? 0
                            : before & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    if (!ReplaceFileW(name.c_str(), WideFromUtf8(replacement).c_str(), WideFromUtf8(backup).c_str(),
                      REPLACEFILE_IGNORE_MERGE_ERRORS | REPLACEFILE_IGNORE_ACL_ERRORS, nullptr,
                      nullptr)) {
        return false;
    }
    const DWORD now = GetFileAttributesW(name.c_str());
    if (now != INVALID_FILE_ATTRIBUTES && (now & marks) != marks) {
        // Best effort: the content is in place, and only the marks would differ.
        (void)SetFileAttributesW(name.c_str(), now | marks);
    }
    return true;
}

bool Win32Files::Rename(const std::string& from, const std::string& to) {
    return MoveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(),
                       MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32Files::Delete(const std::string& path) {
    return DeleteFileW(WideFromUtf8(path).c_str()) != FALSE;
}

// OPEN_ALWAYS, not CREATE_ALWAYS: Windows refuses the latter on a hidden or system file
// unless given the same attributes, and the file keeps its own this way.
std::unique_ptr<OpenFile> Win32Files::OpenInPlace(const std::string& target) {
    UniqueHandle file{
        OrNull(CreateFileW(WideFromUtf8(target).c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr))};
    return file ? std::make_unique<InPlaceFile>(std::move(file)) : nullptr;
}

unsigned long Win32Files::ProcessId() const {
    return GetCurrentProcessId();
}

}  // namespace datrelle::win32
