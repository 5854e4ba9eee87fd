#pragma once

#include <string>
#include <string_view>

// Splitting a path into its folder and its last part: as the delayed launch needs it
// (GetFileName, FolderPart), and as the rest of the program does (SplitPath).

namespace datrelle {

// The part of the path after its last backslash. The last character is always taken,
// even a backslash, so "C:\Tools\" gives "Tools\". A path with no backslash before its
// last character is a bare name and is returned whole.
std::string GetFileName(std::string_view path);

// The path without GetFileName's part: "C:\Tools\app.exe" gives "C:\Tools\", keeping the
// trailing backslash; "" for a bare name.
std::string FolderPart(std::string_view path);

// A path split at its last backslash or slash (Windows takes either). The folder has no
// separator at its end unless it is a root: "C:\notes.txt" lives in "C:\", not in the
// drive's current folder "C:", and "\notes.txt" in "\". A path without a separator is a
// bare name, whose folder is "".
struct PathParts {
    std::string folder;
    std::string fileName;
};
PathParts SplitPath(std::string_view path);

}  // namespace datrelle
