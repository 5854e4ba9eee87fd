#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "viewer/TextEncoding.h"

// The notes file: the file "Save Changes" writes and the encoding it is written in. A
// plain value, so that a caller can try a file on a copy and keep the one it had when
// the box refuses the text.

namespace datrelle {

// What a load found at the path.
enum class NotesFound {
    Loaded,
    NoSuchFile,  // also a folder, a hidden or a system file
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

    // Writes the text and one CR LF, in the file's encoding.
    [[nodiscard]] Replacement Save(Files& files, const CodePage& ansi, std::string_view text);

    // The file "Save Changes" writes; empty when there is none.
    const std::string& TextFileDir() const { return textFileDir_; }
    TextEncoding Encoding() const { return encoding_; }

  private:
    std::string textFileDir_;
    TextEncoding encoding_ = TextEncoding::Utf8;
};

}  // namespace datrelle
