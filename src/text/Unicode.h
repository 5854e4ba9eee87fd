#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The program carries text as UTF-8; Windows counts it in UTF-16 units, of which every
// character beyond U+FFFF takes two, and the limits of its fields (a tooltip's 64
// characters, say) are limits in those units. A file in a Unicode encoding may begin
// with a byte order mark, which names the encoding.

namespace datrelle {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

inline constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
inline constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
inline constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

// The byte at `at`, from 0 to 255 whatever the signedness of char.
inline unsigned ByteAt(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

// One UTF-8 sequence at the start of non-empty bytes: how many bytes it takes and its
// code point. A broken one (a stray continuation byte, an overlong form, a surrogate, a
// value beyond U+10FFFF, a sequence cut short) takes its longest well-formed beginning,
// at least one byte, and reads as U+FFFD.
struct Utf8Sequence {
    std::size_t length;
    char32_t point;
    bool wellFormed = true;
};
Utf8Sequence ReadUtf8Sequence(std::string_view bytes);

// Writes the code point's UTF-8 bytes from out on (at most four) and returns their end.
char* PutUtf8(char* out, char32_t point);

// How many UTF-16 units the text takes, a broken sequence one.
std::size_t Utf16Length(std::string_view utf8);

// The longest beginning of the text that takes at most `units` UTF-16 units: a
// character that would not fit whole is left out with everything after it.
std::string_view Utf16Prefix(std::string_view utf8, std::size_t units);

// The text's UTF-16 units as bytes, little- or big-endian; a broken sequence is U+FFFD.
std::string Utf16Bytes(std::string_view utf8, bool bigEndian);

// The other way: UTF-16 bytes, little- or big-endian, as UTF-8. A pair of surrogates is
// one character; a lone surrogate, and a last odd byte, become U+FFFD.
std::string Utf8FromUtf16Bytes(std::string_view bytes, bool bigEndian);

}  // namespace datrelle
