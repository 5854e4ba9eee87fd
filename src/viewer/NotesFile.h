#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "files/FileReplacement.h"
#include "platform/CodePage.h"
#include "platform/FileOperations.h"
#include "viewer/TextEncoding.h"

// The notes file: the file "Save Changes" writes, the encoding it is written in, and
// whether the notes box shows its text. A plain value, so that a caller can try a file on
// a copy and keep the one it had when the box refuses the text.

namespace datrelle {

// What a load found at the path.
enum class NotesFound {
    Loaded,
    NoSuchFile,
    NotAFile,    // a folder
    Unreadable,  // locked, no permission, or not convertible
};

class NotesFile {
  public:
    struct Loaded {
        NotesFound found = NotesFound::NoSuchFile;
        // The box's new text (empty for a file still to be made); nullopt when the box
        // keeps its own.
        std::optional<std::string> text;
    };

    // Reads the file at path for the box, with the loader's line rules. A file, or a name
    // that names nothing yet, becomes this object's file; otherwise it stays as it was.
    Loaded Load(const Files& files, const CodePage& ansi, std::string_view path);

    // Writes the text and one CR LF, in the file's encoding. Never over a file whose text
    // the box did not show: a name that named nothing when chosen and names something
    // now is left alone, and the save fails.
    [[nodiscard]] Replacement Save(FileOperations& files, const CodePage& ansi,
                                   std::string_view text);

    // The file "Save Changes" writes; empty when there is none.
    const std::string& TextFileDir() const { return textFileDir_; }
    TextEncoding Encoding() const { return encoding_; }

  private:
    std::string textFileDir_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    // False for a name that named nothing when it was chosen, until it is saved.
    bool showsFileText_ = false;
};

}  // namespace datrelle
