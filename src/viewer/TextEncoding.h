#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/CodePage.h"

// The encodings of a notes file. The logic and the notes box carry the text as UTF-8;
// a file is written back in the encoding it was read in, byte for byte when unchanged,
// but for an ANSI file given a character its code page lacks (see EncodeText).

namespace datrelle {

// The encodings a notes file can be in.
enum class TextEncoding {
    Ansi,     // the system's ANSI code page, as older editors write
    Utf8,     // without a byte order mark, as today's Notepad writes
    Utf8Bom,  // EF BB BF first
    Utf16Le,  // FF FE first, older Notepad's "Unicode"
    Utf16Be,  // FE FF first
};

// A file's text as UTF-8, and the encoding its bytes were in.
struct DecodedText {
    std::string text;
    TextEncoding encoding = TextEncoding::Utf8;

    bool operator==(const DecodedText&) const = default;
};

// A file's bytes, and the encoding they are in.
struct EncodedText {
    std::string bytes;
    TextEncoding encoding = TextEncoding::Utf8;

    bool operator==(const EncodedText&) const = default;
};

// The text of a file's bytes, as UTF-8, and the encoding it was in: a byte order mark
// names it; without one, bytes that are valid UTF-8 and not plain ASCII are UTF-8, and
// everything else is in the ANSI code page. What a marked file cannot hold as text (a
// broken UTF-8 sequence, a lone surrogate, a last odd byte) becomes U+FFFD. nullopt when
// the code page cannot convert the bytes (too many).
std::optional<DecodedText> DecodeText(std::string bytes, const CodePage& ansi);

// The file's bytes for a UTF-8 text, in the encoding given, with its byte order mark.
// A text the ANSI code page cannot hold is written as UTF-8 with a mark instead, which
// every editor reads right; the result says which encoding was used.
EncodedText EncodeText(std::string_view text, TextEncoding encoding, const CodePage& ansi);

}  // namespace datrelle
