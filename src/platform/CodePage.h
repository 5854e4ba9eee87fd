#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace datrelle {

// The system's ANSI code page, in which older notes files and the settings file are
// written. The logic carries every text as UTF-8; these are the conversions at such a
// file's edge.
class CodePage {
  public:
    virtual ~CodePage() = default;

    // nullopt when the text is too large to convert.
    virtual std::optional<std::string> AnsiToUtf8(std::string_view ansi) const = 0;
    // nullopt when the code page lacks one of the text's characters, or the text is too
    // large to convert.
    virtual std::optional<std::string> Utf8ToAnsi(std::string_view utf8) const = 0;
};

}  // namespace datrelle
