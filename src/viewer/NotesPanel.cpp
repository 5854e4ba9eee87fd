#include "viewer/NotesPanel.h"

#include <utility>

namespace datrelle {

void NotesPanel::OnText1DblClick() {
    // The last notes file's whole path is the starting point, so the dialog opens in
    // its folder; without one the dialog keeps the folder its last use left. The
    // title is not touched: it may still read "Open File in browser".
    if (!file_.TextFileDir().empty()) {
        dialog_.InitDir = file_.TextFileDir();
    }
    dialog_.Filter = kNotesFilter;
    dialog_.ShowOpen();
    const std::string chosen = dialog_.FileName;
    if (chosen.empty()) {
        // "Save Changes" then has no file and says so, instead of writing the box over a
        // file the user turned away from.
        file_ = NotesFile();
    } else {
        Open(chosen);
    }
    form_.Command8.SetVisible(true);
}

void NotesPanel::Open(std::string_view path) {
    NotesFile next = file_;
    const NotesFile::Loaded loaded = next.Load(files_, codePage_, path);
    if (loaded.text && notes_.SetText(*loaded.text)) {
        file_ = std::move(next);
    }
}

}  // namespace datrelle
