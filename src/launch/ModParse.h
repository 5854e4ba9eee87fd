#pragma once

#include <string>
#include <string_view>

// Splitting a path into its folder and its last part, as the delayed launch needs it.

namespace datrelle {

// The part of the path after its last backslash. The last character is always taken,
// even a backslash, so "C:\Tools\" gives "Tools\". A path with no backslash before its
// last character is a bare name and is returned whole.
std::string GetFileName(std::string_view path);

// The path without GetFileName's part: "C:\Tools\app.exe" gives "C:\Tools\", keeping the
// trailing backslash; "" for a bare name.
std::string FolderPart(std::string_view path);

}  // namespace datrelle
