// How "Save Changes" writes the notes file. The new content goes into a new file beside
// the target first (in its folder, so that no step crosses volumes), which then takes the
// target's place through Windows' own replacement: it keeps the target's attributes,
// access rights and other streams, which a plain rename would drop. Windows does that in
// two renames: the target to a backup name, then the new file to the target's name.
// Should the second fail, the earlier content sits under the backup name and the target's
// name is free; it is put back there, or, where even that fails, the user is told where
// it is. Where no new file can be made beside the target or take its place (a folder that
// takes no new files, a target another program keeps open without letting it be
// deleted), the target itself is written, and its earlier content written back should
// that fail part-way.

#include "win32/FileReplacement.h"

#include <windows.h>

#include <atomic>
#include <optional>

#include "win32/FileIo.h"
#include "win32/Unique.h"
#include "win32/WideText.h"

namespace datrelle::win32 {
namespace {

// What the file at the target's path allows, looked at before anything is written (Wine's
// ReplaceFileW leaves a file of its own beside a target that it cannot rename).
enum class Target {
    Missing,
    Renamable,
    // No right to delete it, or held by a program that lets others write it but not
    // delete it: it can only be written where it is.
    OnlyWritable,
};

Target ExamineTarget(const std::string& target) {
    const UniqueHandle file{
        OrNull(CreateFileW(WideFromUtf8(target).c_str(), DELETE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr))};
    if (file) {
        return Target::Renamable;
    }
    return GetLastError() == ERROR_FILE_NOT_FOUND ? Target::Missing : Target::OnlyWritable;
}

bool Exists(const std::string& path) {
    return GetFileAttributesW(WideFromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Never over another file: the name must be free.
bool Rename(const std::string& from, const std::string& to) {
    return MoveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(),
                       MOVEFILE_WRITE_THROUGH) != FALSE;
}

// A file beside the target that is removed again when this goes, unless kept.
struct FileBeside {
    FileBeside() = default;
    FileBeside(const FileBeside&) = delete;
    FileBeside& operator=(const FileBeside&) = delete;
    ~FileBeside() {
        if (!path.empty() && !kept) {
            // Best effort: one that cannot be removed only takes up space.
            DeleteFileW(WideFromUtf8(path).c_str());
        }
    }

    std::string path;
    bool kept = false;
};

// The target's name, a word and a number that no name in the folder has yet. It never
// ends in ".txt", so that no later start takes it for the notes file.
std::string NameBeside(const std::string& target, const char* word) {
    static std::atomic<unsigned> counter{0};
    std::string name;
    do {
        name = target + "." + word + "-" + std::to_string(GetCurrentProcessId()) + "-" +
               std::to_string(counter++);
    } while (Exists(name));
    return name;
}

enum class Written { Done, NoNewFileThere, Failed };

// The content in a new file beside the target, on the disk.
Written WriteBeside(const std::string& target, std::string_view content, FileBeside& written) {
    UniqueHandle file;
    for (int attempt = 0; attempt < 100 && !file; ++attempt) {
        std::string path = NameBeside(target, "tmp");
        file.reset(OrNull(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)));
        if (file) {
            written.path = std::move(path);
        } else if (GetLastError() != ERROR_FILE_EXISTS) {
            return Written::NoNewFileThere;  // a folder that takes no new files, say
        }
    }
    if (!file) {
        return Written::Failed;
    }
    // A write that fails here (a full disk, say) would fail in the target too. Closing
    // cannot lose what the flush has written.
    return WriteAll(file.get(), content) && FlushFileBuffers(file.get()) ? Written::Done
                                                                         : Written::Failed;
}

// Windows' replacement, keeping the target's hidden and system marks: Windows gives the
// new file the replaced one's attributes, Wine 8 leaves the new file its own, and a hidden
// notes file would show after its first save.
bool Replace(const std::string& target, const std::string& replacement, const std::string& backup) {
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

// The written file takes the target's place. nullopt when the target is still there as it
// was, so that writing it where it is may be tried.
std::optional<Replacement> TakePlaceOf(const std::string& target, FileBeside& written) {
    // Once the new content is in place, the earlier content at the backup name is no
    // longer needed.
    FileBeside earlier;
    earlier.path = NameBeside(target, "before-save");
    if (Replace(target, written.path, earlier.path)) {
        written.kept = true;
        return Replacement{true, {}};
    }
    if (Exists(target)) {
        // Refused before the target was renamed: it is as it was.
        return std::nullopt;
    }
    // The target was renamed, but the written file could not take its name.
    if (Rename(written.path, target)) {
        written.kept = true;
        return Replacement{true, {}};
    }
    if (Rename(earlier.path, target)) {
        earlier.path.clear();
        return std::nullopt;
    }
    // Nothing else would ever show the user where the earlier content went.
    earlier.kept = Exists(earlier.path);
    return Replacement{false, earlier.kept ? earlier.path : std::string()};
}

// The target itself written over, as a text editor saves. Room for the new content is
// made first, so that a disk too full for it refuses before any earlier byte is gone;
// should the writing still fail part-way, the earlier content is written back.
// OPEN_ALWAYS, not CREATE_ALWAYS: Windows refuses the latter on a hidden or system file
// unless given the same attributes, and the file keeps its own this way.
bool WriteInPlace(const std::string& target, std::string_view content) {
    const UniqueHandle file{
        OrNull(CreateFileW(WideFromUtf8(target).c_str(), GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr))};
    // What cannot be read cannot be put back.
    const std::optional<std::string> before = file ? ReadToEnd(file.get()) : std::nullopt;
    if (!before) {
        return false;
    }
    const auto cutAt = [&file](std::size_t length) {
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(length);
        return SetFilePointerEx(file.get(), end, nullptr, FILE_BEGIN) && SetEndOfFile(file.get());
    };
    const auto writeWhole = [&](std::string_view bytes) {
        return SetFilePointerEx(file.get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN) &&
               WriteAll(file.get(), bytes) && cutAt(bytes.size()) && FlushFileBuffers(file.get());
    };
    if (content.size() > before->size() && !cutAt(content.size())) {
        (void)cutAt(before->size());  // the length it had, should any room have been made
        return false;
    }
    if (writeWhole(content)) {
        return true;
    }
    (void)writeWhole(*before);  // nothing more can be done should this fail too
    return false;
}

}  // namespace

Replacement ReplaceFileContent(const std::string& target, std::string_view content) {
    if (target.empty()) {
        return {};
    }
    const Target state = ExamineTarget(target);
    if (state != Target::OnlyWritable) {
        FileBeside written;
        switch (WriteBeside(target, content, written)) {
            case Written::Failed:
                return {};  // the target untouched
            case Written::NoNewFileThere:
                break;
            case Written::Done:
                if (state == Target::Missing && Rename(written.path, target)) {
                    written.kept = true;
                    return {true, {}};
                }
                if (state == Target::Renamable) {
                    if (auto replaced = TakePlaceOf(target, written)) {
                        return *replaced;
                    }
                }
                break;
        }
    }
    return {WriteInPlace(target, content), {}};
}

}  // namespace datrelle::win32
