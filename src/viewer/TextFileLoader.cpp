#include "viewer/TextFileLoader.h"

namespace datrelle {
namespace {

std::string JoinTextLines(std::string_view bytes) {
    // One pass and one growing buffer: a notes file of many megabytes must not be
    // copied once per line.
    std::string text;
    text.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\r', pos);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        const std::string_view line = bytes.substr(pos, end - pos);
        if (!text.empty()) {
            text += "\r\n";
        }
        text += line;

        pos = end;
        if (pos < bytes.size()) {
            ++pos;  // the CR
            if (pos < bytes.size() && bytes[pos] == '\n') {
                ++pos;
            }
        }
    }
    return text;
}

}  // namespace

std::optional<DecodedText> LoadTextFile(const Files& files, const CodePage& ansi,
                                        std::string_view path, std::string& textFileDir) {
    if (path.empty() || !files.IsOrdinaryFile(path)) {
        return std::nullopt;
    }
    std::optional<std::string> bytes = files.ReadAll(path);
    std::optional<DecodedText> decoded = bytes ? DecodeText(std::move(*bytes), ansi) : std::nullopt;
    if (!decoded) {
        // Locked, not readable or not convertible: the box and the file it saves to stay
        // as they were, rather than pointing "Save Changes" at a file whose text was never
        // shown.
        return std::nullopt;
    }
    // The line rules apply to the characters, whatever bytes the file spells them with.
    decoded->text = JoinTextLines(decoded->text);
    textFileDir = path;
    return decoded;
}

}  // namespace datrelle
