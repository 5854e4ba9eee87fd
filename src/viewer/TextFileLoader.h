#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Files.h"

namespace datrelle {

// Reads a whole text file for the notes box. Lines end at CR or CR LF and are joined
// with CR LF; a lone LF stays inside its line; empty lines before the first text are
// dropped, and so is the last line end.
//
// nullopt when nothing was read: an empty path, no ordinary file of that name (a
// folder, a hidden or a system file counts as none), or a file that cannot be opened
// or read. textFileDir is then left as it was, so "Save Changes" keeps writing the
// notes file it had. Otherwise the text (empty for an empty file), and textFileDir
// becomes path.
std::optional<std::string> LoadTextFile(const Files& files, std::string_view path,
                                        std::string& textFileDir);

}  // namespace datrelle
