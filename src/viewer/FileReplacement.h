#pragma once

#include <string>
#include <string_view>

#include "platform/FileOperations.h"
#include "platform/Files.h"

namespace datrelle {

// Replaces the whole content of a file (a missing one is made) so that, whatever step
// fails on the way, the file afterwards holds either its earlier or its new content; should
// the earlier content be left under another name, the result says which.
Replacement ReplaceFileContent(FileOperations& files, const std::string& target,
                               std::string_view content);

}  // namespace datrelle
