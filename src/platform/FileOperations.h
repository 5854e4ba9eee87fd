#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Files.h"

// The single steps of replacing a file's content, each one call of the system; the
// decisions between them are ReplaceFileContent's (files/FileReplacement.h).

namespace datrelle {

// What the file at the target's path allows, looked at before anything is written.
enum class TargetState {
    Missing,
    Renamable,
    // No right to delete it, or held by a program that lets others write it but not
    // delete it: it can only be written where it is.
    OnlyWritable,
};

// How making a new file with its content went.
enum class NewFile {
    Written,     // made, written whole and flushed to the disk
    NameTaken,   // a file of that name is there
    NotMade,     // no file can be made there (a folder that takes no new files, say)
    NotWritten,  // made, but not all of the content reached the disk: it is to be deleted
};

// The target opened for reading and writing where it is, closed when this goes.
class OpenFile {
  public:
    virtual ~OpenFile() = default;

    // The whole content; nullopt when it cannot be read.
    virtual std::optional<std::string> ReadAll() = 0;
    // The file made this long, its end cut off or room added.
    virtual bool Resize(std::size_t length) = 0;
    // The bytes written from the start, the file cut after them, and flushed to the disk.
    virtual bool WriteWhole(std::string_view bytes) = 0;
};

// The files, and the steps that change them.
class FileOperations : public Files {
  public:
    virtual TargetState Examine(const std::string& target) = 0;
    virtual NewFile CreateNew(const std::string& path, std::string_view content) = 0;
    // Windows' replacement: the target renamed to the backup name, then the replacement
    // renamed to the target's name, the target's attributes, access rights and other
    // streams kept. Should the second rename fail, the earlier content is left at the
    // backup name and the target's name is free.
    virtual bool Replace(const std::string& target, const std::string& replacement,
                         const std::string& backup) = 0;
    // Never over another file: the new name must be free.
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    virtual bool Delete(const std::string& path) = 0;
    // Opened where it is, or made when missing; nullptr when it cannot be opened.
    virtual std::unique_ptr<OpenFile> OpenInPlace(const std::string& target) = 0;
    // Tells this program's files beside the target from another copy's.
    virtual unsigned long ProcessId() const = 0;
};

}  // namespace datrelle
