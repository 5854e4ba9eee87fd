#include "viewer/TextFileLoader.h"

#include <cstring>

namespace datrelle {
namespace {

// Writes the lines of `bytes`, joined with CR LF, from `out` on and returns where they
// end. `out` may lie in the same buffer before the bytes, as long as it lies at least
// as many bytes before them as the bytes have CRs followed by anything but an LF: only
// such a line end grows when written, by one byte, so nothing is written over a byte
// before it is read.
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

std::size_t LoneCarriageReturns(std::string_view bytes) {
    std::size_t count = 0;
    for (std::size_t at = bytes.find('\r'); at != std::string_view::npos;
         at = bytes.find('\r', at + 1)) {
        count += at + 1 < bytes.size() && bytes[at + 1] != '\n' ? 1 : 0;
    }
    return count;
}

// The lines are joined within the text's own buffer, moved up by the room the lone CRs
// need (which a decoded text mostly has spare): for a notes file of many megabytes, the
// fresh memory of a second buffer costs more than the joining.
std::string JoinTextLines(std::string text) {
    const std::size_t size = text.size();
    const std::size_t room = LoneCarriageReturns(text);
    if (room > 0) {
        text.resize(size + room);
        std::memmove(text.data() + room, text.data(), size);
    }
    const std::string_view lines(text.data() + room, size);
    text.resize(static_cast<std::size_t>(JoinLines(lines, text.data()) - text.data()));
    return text;
}

}  // namespace

std::optional<DecodedText> LoadTextFile(const Files& files, const CodePage& ansi,
                                        std::string_view path) {
    std::optional<std::string> bytes = files.ReadAll(path);
    std::optional<DecodedText> decoded = bytes ? DecodeText(std::move(*bytes), ansi) : std::nullopt;
    if (decoded) {
        // The line rules apply to the characters, whatever bytes the file spells them with.
        decoded->text = JoinTextLines(std::move(decoded->text));
    }
    return decoded;
}

}  // namespace datrelle
