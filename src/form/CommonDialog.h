#pragma once

#include <string>
#include <string_view>

#include "platform/FileDialog.h"

namespace datrelle {

// CommonDialog1: the one Open dialog the window's choosers share ("Open File", the
// notes box, "Auto Start App"). Its properties keep their values from one use to the
// next, and each chooser sets only those it needs, so a title or a starting folder
// given by one chooser is still in force when the next one opens the dialog.
class CommonDialog {
  public:
    explicit CommonDialog(FileDialog& dialog) : dialog_(dialog) {}

    // Shows the modal Open dialog with the current properties and puts the chosen
    // file's full path into FileName; a cancelled dialog leaves it empty.
    void ShowOpen();

    std::string DialogTitle;  // "" for the system's default title
    std::string Filter;       // "Description|*.a;*.b|Description|*.c"
    std::string InitDir;      // a folder, or a file whose folder the dialog opens in
    std::string FileName;     // shown in the name field; the chosen path afterwards

  private:
    FileDialog& dialog_;
};

// The filter in the Windows dialog's own form: "A|*.a|B|*.b" becomes
// "A\0*.a\0B\0*.b\0\0". A description without patterns at the end is dropped; "" stays
// "" (no filter).
std::string WindowsFilter(std::string_view filter);

}  // namespace datrelle
