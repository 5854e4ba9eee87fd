#include "viewer/NotesPanel.h"

#include "viewer/TextFileLoader.h"

namespace datrelle {

void NotesPanel::OnText1DblClick() {
    // The last notes file's whole path is the starting point, so the dialog opens in
    // its folder; without one the dialog keeps the folder its last use left. The
    // title is not touched: it may still read "Open File in browser".
    if (!vars_.TextFileDir.empty()) {
        dialog_.InitDir = vars_.TextFileDir;
    }
    dialog_.Filter = kNotesFilter;
    dialog_.ShowOpen();
    const std::string chosen = dialog_.FileName;
    if (!chosen.empty()) {
        const std::string previousFile = vars_.TextFileDir;
        const auto loaded = LoadTextFile(files_, codePage_, chosen, vars_.TextFileDir);
        // A name that reads as nothing (a new file typed into the dialog) empties the
        // box, ready to be written there by "Save Changes" as today's editors write.
        const DecodedText text = loaded.value_or(DecodedText{"", TextEncoding::Utf8});
        const bool unreadable = !loaded && files_.IsOrdinaryFile(chosen);
        if (unreadable || !notes_.SetText(text.text)) {
            // The file is there but could not be read (locked, no permission), or the
            // box could not take its text (too large) and kept the old one. Pointing
            // "Save Changes" at the file would let a save overwrite a text nobody saw:
            // the box and the notes file stay as they were.
            vars_.TextFileDir = previousFile;
            form_.Command8.SetVisible(true);
            return;
        }
        vars_.TextFileEncoding = text.encoding;
    }
    // Also after a cancel: "Save Changes" then has no file and says so, instead of
    // writing the box over a file the user turned away from.
    vars_.TextFileDir = chosen;
    form_.Command8.SetVisible(true);
}

}  // namespace datrelle
