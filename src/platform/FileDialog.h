#pragma once

#include <string>

namespace datrelle {

// What the shared Open dialog CommonDialog1 is shown with.
struct FileDialogRequest {
    std::string title;          // "" for the system's default title
    std::string filter;         // "Description|*.a;*.b|Description|*.c"
    std::string initialFolder;  // a folder, or a file whose folder to open in; "" for none
    std::string fileName;       // the name shown in the dialog's file name field
};

class FileDialog {
  public:
    virtual ~FileDialog() = default;

    // Shows the modal Open dialog; the chosen file's full path, or "" when cancelled.
    virtual std::string ShowOpen(const FileDialogRequest& request) = 0;
};

}  // namespace datrelle
