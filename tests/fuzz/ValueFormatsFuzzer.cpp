#include <cmath>
#include <cstring>

#include "FuzzInput.h"
#include "settings/ValueFormats.h"

// The number conversions of the settings file: any text is read without harm, and
// what the program writes reads back as the same value.

namespace datrelle::fuzz {
namespace {

void CheckInteger(int value) {
    const auto blankSigned = TextToInteger(IntegerToBlankSigned(value));
    Require(blankSigned == value, "blank-signed integer reads back");
    const auto plain = TextToInteger(IntegerToPlain(value));
    Require(plain == value, "plain integer reads back");
}

// Seven significant digits are fewer than a float holds, so a written value may read
// back as a neighbouring float. Near a power of ten that neighbour can write as other
// digits ("1E+28" reads as 9.999999E+27), but the next write must then settle, or the
// file would drift at every shutdown. Whole numbers of up to seven digits, which
// window measures in twips are, read back exactly.
void CheckSingle(float value) {
    if (!std::isfinite(value)) {
        (void)SingleToBlankSigned(value);  // must not crash; no text to read back
        return;
    }
    const std::string written = SingleToBlankSigned(value);
    const auto read = TextToSingle(written);
    Require(read.has_value(), "written number reads back");
    const double tolerance = std::fabs(static_cast<double>(value)) * 1e-6 + 1e-45;
    Require(std::fabs(static_cast<double>(*read) - value) <= tolerance,
            "written number reads back close to the value");
    if (std::trunc(value) == value && std::fabs(value) <= 9999999) {
        Require(*read == value, "a whole number of seven digits reads back exactly");
    }
    const std::string again = SingleToBlankSigned(*read);
    const auto readAgain = TextToSingle(again);
    Require(readAgain.has_value() && SingleToBlankSigned(*readAgain) == again,
            "writing a read-back number settles after one more write");
}

}  // namespace
}  // namespace datrelle::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace datrelle;
    using namespace datrelle::fuzz;
    const std::string_view text = AsText(data, size);

    const auto number = TextToNumber(text);
    if (number) {
        Require(!std::isnan(*number), "a read number is never NaN");
        const auto integer = NumberToInteger(*number);
        Require(integer == TextToInteger(text), "TextToInteger is the two steps");
        if (integer) {
            Require(std::fabs(*number - *integer) <= 0.5, "the integer is the nearest");
            CheckInteger(*integer);
        }
        const auto single = NumberToSingle(*number);
        const auto direct = TextToSingle(text);
        Require(single.has_value() == direct.has_value() && (!single || *single == *direct),
                "TextToSingle is the two steps");
        if (single) {
            CheckSingle(*single);
        }
    }

    // The raw bytes as a float reach values no text in the corpus spells.
    if (size >= sizeof(float)) {
        float raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        CheckSingle(raw);
        std::int32_t rawInt = 0;
        std::memcpy(&rawInt, data, sizeof rawInt);
        CheckInteger(static_cast<std::int16_t>(rawInt));
    }
    return 0;
}
