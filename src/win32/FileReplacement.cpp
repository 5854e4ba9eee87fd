#include "win32/FileReplacement.h"

#include <windows.h>

#include <utility>

#include "win32/FileIo.h"
#include "win32/Unique.h"
#include "win32/WideText.h"

namespace datrelle::win32 {
namespace {

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

TargetState Win32FileOperations::Examine(const std::string& target) {
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

bool Win32FileOperations::Exists(const std::string& path) {
    return GetFileAttributesW(WideFromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

NewFile Win32FileOperations::CreateNew(const std::string& path, std::string_view content) {
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
bool Win32FileOperations::Replace(const std::string& target, const std::string& replacement,
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

bool Win32FileOperations::Rename(const std::string& from, const std::string& to) {
    return MoveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(),
                       MOVEFILE_WRITE_THROUGH) != FALSE;
}

bool Win32FileOperations::Delete(const std::string& path) {
    return DeleteFileW(WideFromUtf8(path).c_str()) != FALSE;
}

// OPEN_ALWAYS, not CREATE_ALWAYS: Windows refuses the latter on a hidden or system file
// unless given the same attributes, and the file keeps its own this way.
std::unique_ptr<OpenFile> Win32FileOperations::OpenInPlace(const std::string& target) {
    UniqueHandle file{
        OrNull(CreateFileW(WideFromUtf8(target).c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr))};
    return file ? std::make_unique<InPlaceFile>(std::move(file)) : nullptr;
}

unsigned long Win32FileOperations::ProcessId() const {
    return GetCurrentProcessId();
}

}  // namespace datrelle::win32
