#pragma once

#include <string_view>

#include "form/CommonDialog.h"
#include "form/Form.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/NotesBox.h"
#include "viewer/NotesFile.h"

// The notes box Text1: a double click chooses a text file in the shared dialog and
// loads it into the box, and shows "Save Changes".

namespace datrelle {

inline constexpr std::string_view kNotesFilter =
    "All Text Files|*.txt|Web Files|*.htm*|All Files|*.*";

class NotesPanel {
  public:
    NotesPanel(CommonDialog& dialog, NotesBox& notes, const Files& files, const CodePage& codePage,
               Form& form, NotesFile& file)
        : dialog_(dialog),
          notes_(notes),
          files_(files),
          codePage_(codePage),
          form_(form),
          file_(file) {}

    // Double click on Text1.
    void OnText1DblClick();

    // Loads the file at path into the box, and makes it the notes file (also a name that
    // names nothing yet, to be made by the next save) only when the box takes its text: a
    // save must never overwrite a text nobody saw. A file that cannot be read, or a text
    // too large for the box, leaves the box and the notes file as they were.
    void Open(std::string_view path);

  private:
    CommonDialog& dialog_;
    NotesBox& notes_;
    const Files& files_;
    const CodePage& codePage_;
    Form& form_;
    NotesFile& file_;
};

}  // namespace datrelle
