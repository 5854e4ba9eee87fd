#include "viewer/TextEncoding.h"

#include <cstdint>
#include <cstring>

#include "text/Unicode.h"

namespace datrelle {
namespace {

// Whether the eight bytes at `at` are plain ASCII: notes files of many megabytes are
// mostly that, and are checked a word at a time.
bool AsciiWordAt(std::string_view bytes, std::size_t at) {
    std::uint64_t word;
    std::memcpy(&word, bytes.data() + at, sizeof word);
    return (word & 0x8080808080808080ULL) == 0;
}

bool IsAscii(std::string_view bytes) {
    std::size_t at = 0;
    for (; at + 8 <= bytes.size(); at += 8) {
        if (!AsciiWordAt(bytes, at)) {
            return false;
        }
    }
    for (; at < bytes.size(); ++at) {
        if (ByteAt(bytes, at) >= 0x80) {
            return false;
        }
    }
    return true;
}

// Where the first broken sequence starts; npos when the bytes are well-formed UTF-8.
std::size_t FirstBroken(std::string_view bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (at + 8 <= bytes.size() && AsciiWordAt(bytes, at)) {
            at += 8;
            continue;
        }
        const Utf8Sequence sequence = ReadUtf8Sequence(bytes.substr(at));
        if (!sequence.wellFormed) {
            return at;
        }
        at += sequence.length;
    }
    return std::string_view::npos;
}

// Well-formed UTF-8: each broken sequence becomes U+FFFD.
std::string RepairedUtf8(std::string_view bytes) {
    const std::size_t broken = FirstBroken(bytes);
    if (broken == std::string_view::npos) {
        return std::string(bytes);
    }
    // A broken byte grows to at most three.
    std::string text(bytes.substr(0, broken));
    text.resize(broken + (bytes.size() - broken) * 3);
    char* out = text.data() + broken;
    for (std::size_t at = broken; at < bytes.size();) {
        const Utf8Sequence sequence = ReadUtf8Sequence(bytes.substr(at));
        out = PutUtf8(out, sequence.point);
        at += sequence.length;
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
    return text;
}

}  // namespace

std::optional<DecodedText> DecodeText(std::string bytes, const CodePage& ansi) {
    const std::string_view view(bytes);
    if (view.starts_with(kUtf8Mark)) {
        return DecodedText{RepairedUtf8(view.substr(kUtf8Mark.size())), TextEncoding::Utf8Bom};
    }
    if (view.starts_with(kUtf16LeMark)) {
        return DecodedText{Utf8FromUtf16Bytes(view.substr(kUtf16LeMark.size()), false),
                           TextEncoding::Utf16Le};
    }
    if (view.starts_with(kUtf16BeMark)) {
        return DecodedText{Utf8FromUtf16Bytes(view.substr(kUtf16BeMark.size()), true),
                           TextEncoding::Utf16Be};
    }
    // Plain ASCII reads the same in every code page, and UTF-8 is the text already.
    if (IsAscii(view)) {
        return DecodedText{std::move(bytes), TextEncoding::Ansi};
    }
    if (FirstBroken(view) == std::string_view::npos) {
        return DecodedText{std::move(bytes), TextEncoding::Utf8};
    }
    std::optional<std::string> text = ansi.AnsiToUtf8(view);
    if (!text) {
        return std::nullopt;
    }
    return DecodedText{std::move(*text), TextEncoding::Ansi};
}

EncodedText EncodeText(std::string_view text, TextEncoding encoding, const CodePage& ansi) {
    switch (encoding) {
        case TextEncoding::Ansi:
            if (IsAscii(text)) {
                return {std::string(text), encoding};
            }
            if (auto bytes = ansi.Utf8ToAnsi(text)) {
                return {std::move(*bytes), encoding};
            }
            return EncodeText(text, TextEncoding::Utf8Bom, ansi);
        case TextEncoding::Utf8:
            return {std::string(text), encoding};
        case TextEncoding::Utf8Bom:
            return {std::string(kUtf8Mark) + std::string(text), encoding};
        case TextEncoding::Utf16Le:
            return {std::string(kUtf16LeMark) + Utf16Bytes(text, false), encoding};
        case TextEncoding::Utf16Be:
            return {std::string(kUtf16BeMark) + Utf16Bytes(text, true), encoding};
    }
    return {std::string(text), encoding};
}

}  // namespace datrelle
