#include "settings/ValueFormats.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace datrelle {
namespace {

// Enough to push any mantissa a settings value can hold (fewer than kIniBufferSize
// characters) far out of range, small enough that the exponent never overflows while it
// is read.
constexpr long kExponentLimit = 100000;

bool IsIgnored(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int DigitValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool IsLetter(char c, char upper) {
    return c == upper || c == upper - 'A' + 'a';
}

std::string WithoutIgnored(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (const char c : text) {
        if (!IsIgnored(c)) {
            kept += c;
        }
    }
    return kept;
}

std::optional<double> RadixInteger(std::string_view digits, int radix) {
    double value = 0;
    for (const char c : digits) {
        const int digit = DigitValue(c);
        if (digit < 0 || digit >= radix) {
            break;
        }
        value = value * radix + digit;
    }
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string_view LeadingDigits(std::string_view text, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos])) {
        ++pos;
    }
    return text.substr(start, pos - start);
}

// The power of ten of the first significant digit, for a mantissa that is not zero.
long LeadingPower(std::string_view intDigits, std::string_view fracDigits, long exponent) {
    const std::size_t firstInt = intDigits.find_first_not_of('0');
    if (firstInt != std::string_view::npos) {
        return static_cast<long>(intDigits.size() - firstInt) - 1 + exponent;
    }
    const std::size_t firstFrac = fracDigits.find_first_not_of('0');
    return -static_cast<long>(firstFrac) - 1 + exponent;
}

std::optional<double> DecimalNumber(std::string_view text) {
    std::size_t pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    const std::string_view intDigits = LeadingDigits(text, pos);
    std::string_view fracDigits;
    if (pos < text.size() && text[pos] == '.') {
        ++pos;
        fracDigits = LeadingDigits(text, pos);
    }
    if (intDigits.empty() && fracDigits.empty()) {
        return 0.0;
    }

    // An exponent letter counts only when digits follow it: "1E" and "1E+" are 1.
    long exponent = 0;
    if (pos < text.size() && (IsLetter(text[pos], 'E') || IsLetter(text[pos], 'D'))) {
        std::size_t expPos = pos + 1;
        bool expNegative = false;
        if (expPos < text.size() && (text[expPos] == '+' || text[expPos] == '-')) {
            expNegative = text[expPos] == '-';
            ++expPos;
        }
        for (const char c : LeadingDigits(text, expPos)) {
            exponent = std::min(exponent * 10 + (c - '0'), kExponentLimit);
        }
        if (expNegative) {
            exponent = -exponent;
        }
    }

    if (intDigits.find_first_not_of('0') == std::string_view::npos &&
        fracDigits.find_first_not_of('0') == std::string_view::npos) {
        return 0.0;
    }

    std::string canonical(intDigits.empty() ? "0" : intDigits);
    if (!fracDigits.empty()) {
        canonical += '.';
        canonical += fracDigits;
    }
    canonical += 'e';
    canonical += std::to_string(exponent);

    double value = 0;
    const auto [end, error] =
        std::from_chars(canonical.data(), canonical.data() + canonical.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too small to be told from zero is zero; too large cannot be represented.
        if (LeadingPower(intDigits, fracDigits, exponent) > 0) {
            return std::nullopt;
        }
        return 0.0;
    }
    if (error != std::errc{}) {
        return 0.0;
    }
    return negative ? -value : value;
}

}  // namespace

std::optional<double> TextToNumber(std::string_view text) {
    const std::string kept = WithoutIgnored(text);
    if (kept.size() >= 2 && kept[0] == '&') {
        if (IsLetter(kept[1], 'H')) {
            return RadixInteger(std::string_view(kept).substr(2), 16);
        }
        if (IsLetter(kept[1], 'O')) {
            return RadixInteger(std::string_view(kept).substr(2), 8);
        }
    }
    return DecimalNumber(kept);
}

std::optional<std::int16_t> NumberToInteger(double number) {
    if (!std::isfinite(number)) {
        return std::nullopt;
    }
    const double below = std::floor(number);
    const double fraction = number - below;
    double nearest = below;
    if (fraction > 0.5) {
        nearest = below + 1;
    } else if (fraction == 0.5 && std::fmod(below, 2.0) != 0) {
        nearest = below + 1;
    }
    if (nearest < std::numeric_limits<std::int16_t>::min() ||
        nearest > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(nearest);
}

std::optional<float> NumberToSingle(double number) {
    if (!std::isfinite(number) || std::fabs(number) > std::numeric_limits<float>::max()) {
        return std::nullopt;
    }
    return static_cast<float>(number);
}

std::optional<std::int16_t> TextToInteger(std::string_view text) {
    const auto number = TextToNumber(text);
    return number ? NumberToInteger(*number) : std::nullopt;
}

std::optional<float> TextToSingle(std::string_view text) {
    const auto number = TextToNumber(text);
    return number ? NumberToSingle(*number) : std::nullopt;
}

std::string SingleToBlankSigned(float value) {
    // The window's measures are always finite; anything else is written as 0 rather
    // than as a word that would read back as 0 anyway.
    if (value == 0 || !std::isfinite(value)) {
        return " 0";
    }
    char digits[32];
    const auto result =
        std::to_chars(digits, digits + sizeof digits, value, std::chars_format::general, 7);
    std::string text(digits, result.ptr);
    for (char& c : text) {
        if (c == 'e') {
            c = 'E';
        }
    }
    const std::size_t zero = text[0] == '-' ? 1 : 0;
    if (text.compare(zero, 2, "0.") == 0) {
        text.erase(zero, 1);
    }
    return value < 0 ? text : " " + text;
}

std::string IntegerToBlankSigned(int value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string IntegerToPlain(int value) {
    return std::to_string(value);
}

}  // namespace datrelle
