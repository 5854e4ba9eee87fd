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

  private:
    CommonDialog& dialog_;
    NotesBox& notes_;
    const Files& files_;
    const CodePage& codePage_;
    Form& form_;
    NotesFile& file_;
};

}  // namespace datrelle
