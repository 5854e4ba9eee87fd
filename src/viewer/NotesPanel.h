#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "form/CommonDialog.h"
#include "form/Form.h"
#include "platform/NotesBox.h"

// The notes box Text1: a double click chooses a text file in the shared dialog and
// loads it into the box, and shows "Save Changes".

namespace datrelle {

inline constexpr std::string_view kNotesFilter =
    "All Text Files|*.txt|Web Files|*.htm*|All Files|*.*";

class NotesPanel {
  public:
    // The text file loader: the file's text, or nullopt when nothing was read. It also
    // records a file it read in TextFileDir.
    using TextLoader = std::function<std::optional<std::string>(std::string_view path)>;

    NotesPanel(CommonDialog& dialog, NotesBox& notes, Form& form, SharedVariables& vars,
               TextLoader loadTextFile)
        : dialog_(dialog),
          notes_(notes),
          form_(form),
          vars_(vars),
          loadTextFile_(std::move(loadTextFile)) {}

    // Double click on Text1.
    void OnText1DblClick();

  private:
    CommonDialog& dialog_;
    NotesBox& notes_;
    Form& form_;
    SharedVariables& vars_;
    TextLoader loadTextFile_;
};

}  // namespace datrelle
