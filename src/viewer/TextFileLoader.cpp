#include "viewer/TextFileLoader.h"

#include <cstring>

namespace datrelle {
namespace {

// Writes the lines of `bytes`, joined with CR LF, from `out` on and returns where they
// end. `out` may be the bytes' own storage where every line end is two bytes long, as
// a line is then never written past the place it is read from.
char* JoinLines(std::string_view bytes, char* out) {
    char* const start = out;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\r', pos);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        if (out != start) {
            *out++ = '\r';
            *out++ = '\n';
        }
        std::memmove(out, bytes.data() + pos, end - pos);
        out += end - pos;

        pos = end;
        if (pos < bytes.size()) {
            ++pos;  // the CR
            if (pos < bytes.size() && bytes[pos] == '\n') {
                ++pos;
            }
        }
    }
    return out;
}

// A CR followed by anything but an LF: a line end one byte long.
std::size_t LoneCarriageReturns(std::string_view bytes) {
    std::size_t count = 0;
    for (std::size_t at = bytes.find('\r'); at != std::string_view::npos;
         at = bytes.find('\r', at + 1)) {
        count += at + 1 < bytes.size() && bytes[at + 1] != '\n' ? 1 : 0;
    }
    return count;
}

// One pass, and no copy of the text unless a lone CR makes it longer: for a notes file
// of many megabytes the fresh memory a copy needs costs more than the joining.
std::string JoinTextLines(std::string text) {
    if (const std::size_t growth = LoneCarriageReturns(text)) {
        std::string joined(text.size() + growth, '\0');
        joined.resize(static_cast<std::size_t>(JoinLines(text, joined.data()) - joined.data()));
        return joined;
    }
    text.resize(static_cast<std::size_t>(JoinLines(text, text.data()) - text.data()));
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
    decoded->text = JoinTextLines(std::move(decoded->text));
    textFileDir = path;
    return decoded;
}

}  // namespace datrelle
