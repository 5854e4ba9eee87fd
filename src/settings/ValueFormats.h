#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The text forms of numbers in the settings file. They follow the classic BASIC
// conventions the file has always used, so files written by earlier versions read the
// same, and they never depend on the user's regional settings: the decimal point is
// always ".".

namespace datrelle {

// The number at the start of a text. Blanks, tabs and line feeds are ignored wherever
// they occur; then the longest leading decimal number is taken (optional sign, digits,
// at most one ".", optional exponent E or D with optional sign and digits), or an
// "&H" hexadecimal or "&O" octal integer. A text without a leading number gives 0.
// nullopt only when the number is too large to be represented at all.
std::optional<double> TextToNumber(std::string_view text);

// The nearest 16-bit integer, an exact half going to the even neighbour; nullopt
// outside -32768..32767.
std::optional<std::int16_t> NumberToInteger(double number);

// The number in single precision, as window measures are kept; nullopt when it is
// beyond the single-precision range.
std::optional<float> NumberToSingle(double number);

// The two steps together, for the values read as integer and as number.
std::optional<std::int16_t> TextToInteger(std::string_view text);
std::optional<float> TextToSingle(std::string_view text);

// The blank-signed form: a blank before a zero or positive number, a minus sign before
// a negative one; at most 7 significant digits, trailing zeros and a trailing point
// dropped, no zero before the point (" .5"), and the exponent form (" 1.5E+20",
// " 1E-10") outside the range where the plain digits are exact.
std::string SingleToBlankSigned(float value);
std::string IntegerToBlankSigned(int value);

// The plain integer form: digits, with a minus sign when negative ("1", "-3").
std::string IntegerToPlain(int value);

}  // namespace datrelle
