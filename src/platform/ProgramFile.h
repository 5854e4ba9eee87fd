#pragma once

#include <string>

namespace datrelle {

// Where the running executable lives, as the system reports it.
struct ProgramFile {
    std::string folder;    // no trailing backslash, except at a drive root ("C:\")
    std::string baseName;  // the file name without folder and extension
};

}  // namespace datrelle
