#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace datrelle {

// What a path names.
enum class PathKind {
    Nothing,
    OrdinaryFile,
    HiddenFile,  // marked hidden or system
    Folder,
};

// What the program reads of files and folders. A file's content is changed through
// FileOperations (platform/FileOperations.h).
class Files {
  public:
    virtual ~Files() = default;

    // What a directory search for exactly that name finds: Nothing also for "" and for
    // a name no file can have (a wildcard in it, say).
    virtual PathKind KindOf(std::string_view path) const = 0;

    // The existence test of the program's own files: a folder, a hidden file or a system
    // file counts as absent.
    bool IsOrdinaryFile(std::string_view path) const {
        return KindOf(path) == PathKind::OrdinaryFile;
    }
    // Whether anything of that name is there: a file of any attributes, or a folder.
    bool Exists(std::string_view path) const { return KindOf(path) != PathKind::Nothing; }

    // The name (without folder) of the first ordinary file that a directory search for
    // pattern (a folder, "\" and a wildcard such as "*.txt") yields, in the order the
    // file system gives; nullopt when there is none.
    virtual std::optional<std::string> FindFirst(std::string_view pattern) const = 0;

    // The file's bytes, or nullopt when it cannot be opened or read.
    virtual std::optional<std::string> ReadAll(std::string_view path) const = 0;
};

}  // namespace datrelle
