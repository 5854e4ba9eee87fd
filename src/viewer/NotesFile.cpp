#include "viewer/NotesFile.h"

#include <utility>

#include "viewer/TextFileLoader.h"

namespace datrelle {

NotesFile::Loaded NotesFile::Load(const Files& files, const CodePage& ansi, std::string_view path) {
    switch (files.KindOf(path)) {
        case PathKind::Nothing:
            // A name typed into the dialog for a file still to be made: the box is
            // emptied, and "Save Changes" makes the file as today's editors write one.
            textFileDir_ = path;
            encoding_ = TextEncoding::Utf8;
            showsFileText_ = false;
            return {NotesFound::NoSuchFile, ""};
        case PathKind::Folder:
            return {NotesFound::NotAFile, std::nullopt};
        case PathKind::HiddenFile:
            // Named by the user, who chose it: read like any other. Only the search for a
            // notes file at start-up passes hidden and system files by.
        case PathKind::OrdinaryFile:
            break;
    }
    std::optional<DecodedText> loaded = LoadTextFile(files, ansi, path);
    if (!loaded) {
        // Pointing "Save Changes" at a file whose text was never shown would let a save
        // overwrite it: the file stays the one it was.
        return {NotesFound::Unreadable, std::nullopt};
    }
    textFileDir_ = path;
    encoding_ = loaded->encoding;
    showsFileText_ = true;
    return {NotesFound::Loaded, std::move(loaded->text)};
}

Replacement NotesFile::Save(FileOperations& files, const CodePage& ansi, std::string_view text) {
    // Another program may have made the file since its name was chosen; the box showed
    // none of that file's text.
    if (textFileDir_.empty() || (!showsFileText_ && files.Exists(textFileDir_))) {
        return {};
    }
    // One line end after the text, so a text that ends in a line break reads back
    // unchanged; in the encoding the file was read in, which an ANSI file leaves for UTF-8
    // when its new text has characters the code page lacks.
    const EncodedText file = EncodeText(std::string(text) + "\r\n", encoding_, ansi);
    Replacement saved = ReplaceFileContent(files, textFileDir_, file.bytes);
    if (saved.done) {
        encoding_ = file.encoding;
        showsFileText_ = true;
    }
    return saved;
}

}  // namespace datrelle
