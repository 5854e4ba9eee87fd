#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/CodePage.h"
#include "platform/Files.h"
#include "viewer/TextEncoding.h"

namespace datrelle {

// Reads a whole text file for the notes box, in the encoding its bytes show (see
// DecodeText). Lines end at CR or CR LF and are joined with CR LF; a lone LF stays
// inside its line; empty lines before the first text are dropped, and so is the last
// line end.
//
// The text as UTF-8 (empty for an empty file) with the file's encoding; nullopt when
// the file cannot be opened, read or converted.
std::optional<DecodedText> LoadTextFile(const Files& files, const CodePage& ansi,
                                        std::string_view path);

}  // namespace datrelle
