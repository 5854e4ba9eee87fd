#pragma once

#include <string>
#include <string_view>

#include "platform/FileOperations.h"

// How the program changes a file's whole content, the notes file's and the settings
// file's alike, without ever losing the earlier one.

namespace datrelle {

// How a replacement of a file's content ended.
struct Replacement {
    bool done = false;
    // When not done and the file's earlier content is no longer at its own path: the
    // file that holds it now. Empty otherwise.
    std::string earlierContentAt;
};

// Replaces the whole content of a file (a missing one is made) so that, whatever step
// fails on the way, the file afterwards holds either its earlier or its new content, never
// a mix and never nothing; should the earlier content be left under another name, the
// result says which.
[[nodiscard]] Replacement ReplaceFileContent(FileOperations& files, const std::string& target,
                                             std::string_view content);

}  // namespace datrelle
