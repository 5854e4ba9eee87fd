#include "text/Unicode.h"

namespace datrelle {
namespace {

std::size_t UnitsOf(char32_t point) {
    return point >= 0x10000 ? 2 : 1;
}

}  // namespace

Utf8Sequence ReadUtf8Sequence(std::string_view bytes) {
    const unsigned lead = ByteAt(bytes, 0);
    if (lead < 0x80) {
        return {1, lead};
    }
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;  // the second byte's range
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : low;
        high = lead == 0xED ? 0x9F : high;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : low;
        high = lead == 0xF4 ? 0x8F : high;
    } else {
        return {1, kReplacementCharacter, false};
    }
    char32_t point = lead & (0x7F >> length);
    for (std::size_t at = 1; at < length; ++at) {
        const bool fits = at < bytes.size() && ByteAt(bytes, at) >= (at == 1 ? low : 0x80) &&
                          ByteAt(bytes, at) <= (at == 1 ? high : 0xBF);
        if (!fits) {
            return {at, kReplacementCharacter, false};
        }
        point = (point << 6) | (ByteAt(bytes, at) & 0x3F);
    }
    return {length, point};
}

char* PutUtf8(char* out, char32_t point) {
    const auto put = [&out](unsigned value) { *out++ = static_cast<char>(value); };
    if (point < 0x80) {
        put(point);
    } else if (point < 0x800) {
        put(0xC0 | (point >> 6));
        put(0x80 | (point & 0x3F));
    } else if (point < 0x10000) {
        put(0xE0 | (point >> 12));
        put(0x80 | ((point >> 6) & 0x3F));
        put(0x80 | (point & 0x3F));
    } else {
        put(0xF0 | (point >> 18));
        put(0x80 | ((point >> 12) & 0x3F));
        put(0x80 | ((point >> 6) & 0x3F));
        put(0x80 | (point & 0x3F));
    }
    return out;
}

std::size_t Utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        const Utf8Sequence sequence = ReadUtf8Sequence(utf8.substr(at));
        units += UnitsOf(sequence.point);
        at += sequence.length;
    }
    return units;
}

std::string_view Utf16Prefix(std::string_view utf8, std::size_t units) {
    std::size_t at = 0;
    while (at < utf8.size()) {
        const Utf8Sequence sequence = ReadUtf8Sequence(utf8.substr(at));
        if (UnitsOf(sequence.point) > units) {
            break;
        }
        units -= UnitsOf(sequence.point);
        at += sequence.length;
    }
    return utf8.substr(0, at);
}

std::string Utf16Bytes(std::string_view utf8, bool bigEndian) {
    std::string bytes;
    bytes.reserve(utf8.size() * 2);
    const auto put = [&](char32_t unit) {
        const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    };
    for (std::size_t at = 0; at < utf8.size();) {
        const Utf8Sequence sequence = ReadUtf8Sequence(utf8.substr(at));
        at += sequence.length;
        if (sequence.point >= 0x10000) {
            put(0xD800 + ((sequence.point - 0x10000) >> 10));
            put(0xDC00 + ((sequence.point - 0x10000) & 0x3FF));
        } else {
            put(sequence.point);
        }
    }
    return bytes;
}

std::string Utf8FromUtf16Bytes(std::string_view bytes, bool bigEndian) {
    const auto unit = [&](std::size_t at) -> char32_t {
        const unsigned first = ByteAt(bytes, at), second = ByteAt(bytes, at + 1);
        return bigEndian ? (first << 8) | second : (second << 8) | first;
    };
    // Each unit gives at most three bytes; a pair of them four.
    std::string text(bytes.size() / 2 * 3 + 3, '\0');
    char* out = text.data();
    std::size_t at = 0;
    for (; at + 2 <= bytes.size(); at += 2) {
        char32_t point = unit(at);
        if (point >= 0xD800 && point <= 0xDFFF) {
            const bool paired = point <= 0xDBFF && at + 4 <= bytes.size() &&
                                unit(at + 2) >= 0xDC00 && unit(at + 2) <= 0xDFFF;
            if (paired) {
                point = 0x10000 + ((point - 0xD800) << 10) + (unit(at + 2) - 0xDC00);
                at += 2;
            } else {
                point = kReplacementCharacter;
            }
        }
        out = PutUtf8(out, point);
    }
    if (at < bytes.size()) {
        out = PutUtf8(out, kReplacementCharacter);  // half a unit: the bytes were cut short
    }
    text.resize(static_cast<std::size_t>(out - text.data()));
    return text;
}

}  // namespace datrelle
