#pragma once

#include <string>
#include <string_view>

#include "platform/Files.h"

namespace datrelle::win32 {

// Replaces the whole content of a file (a missing one is made) so that, whatever fails
// on the way, the file afterwards holds either its earlier or its new content.
Replacement ReplaceFileContent(const std::string& target, std::string_view content);

}  // namespace datrelle::win32
