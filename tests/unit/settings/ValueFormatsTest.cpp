#include "settings/ValueFormats.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace datrelle {
namespace {

TEST(ValueFormatsTest, TextToNumberTakesTheLeadingNumber) {
    struct Case {
        const char* text;
        double number;
    };
    // The regional comma is never a decimal point; only blanks, tabs and line feeds
    // are skipped.
    const Case cases[] = {
        {" 1500", 1500}, {"-120", -120}, {"12abc", 12},     {"1 5", 15},   {"\t1\n2", 12},
        {"1.2.3", 1.2},  {"-.5", -0.5},  {"1E3", 1000},     {"1d2", 100},  {"1D2", 100},
        {"1E+", 1},      {"1E2.5", 100}, {"1,5", 1},        {"1\r2", 1},   {"&H1F", 31},
        {"& h 1 f", 31}, {"&O17", 15},   {"&HFFFF", 65535}, {"&O178", 15}, {"&H", 0},
        {"&X1", 0},      {"-&H10", 0},   {"", 0},           {"abc", 0},    {"--5", 0},
        {"E5", 0},       {"1E-400", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto number = TextToNumber(c.text);
        EXPECT_EQ(number, c.number);
        EXPECT_FALSE(number && std::signbit(*number) && *number == 0) << "negative zero";
    }
    // Only beyond the range of numbers does it fail, however long the text.
    for (const std::string& text : std::vector<std::string>{
             "1E400", "-1E400", std::string(400, '9'), "&H" + std::string(300, 'F')}) {
        EXPECT_EQ(TextToNumber(text), std::nullopt) << text.substr(0, 10);
    }
    EXPECT_EQ(TextToNumber(std::string(300, '9') + "E-300"), 1.0);
}

TEST(ValueFormatsTest, NumberToIntegerRoundsHalvesToEvenWithinSixteenBits) {
    struct Case {
        double number;
        std::optional<std::int16_t> integer;
    };
    const Case cases[] = {
        {0.5, 0},           {1.5, 2},
        {2.5, 2},           {-0.5, 0},
        {-1.5, -2},         {0.50000001, 1},
        {32767.49, 32767},  {32767.5, std::nullopt},
        {-32768.5, -32768}, {-32768.51, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(NumberToInteger(c.number), c.integer);
    }
    EXPECT_EQ(NumberToInteger(std::numeric_limits<double>::quiet_NaN()), std::nullopt);
    EXPECT_EQ(TextToInteger("1.5"), 2);
    EXPECT_EQ(TextToInteger("&HFFFF"), std::nullopt);
    EXPECT_EQ(TextToSingle("3.4E38"), 3.4e38f);
    EXPECT_EQ(TextToSingle("1E-50"), 0.0f);
    EXPECT_EQ(TextToSingle("-1E39"), std::nullopt);
}

TEST(ValueFormatsTest, SingleToBlankSigned) {
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        {1500, " 1500"},       {-120, "-120"},       {-0.0f, " 0"},
        {9999999, " 9999999"}, {10000000, " 1E+07"}, {12345678, " 1.234568E+07"},
        {-1e-10f, "-1E-10"},   {0.5f, " .5"},        {-0.5f, "-.5"},
        {0.0001f, " .0001"},   {0.00001f, " 1E-05"}, {2.0f / 3, " .6666667"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SingleToBlankSigned(c.value), c.text);
    }
    EXPECT_EQ(SingleToBlankSigned(std::numeric_limits<float>::infinity()), " 0");
}

TEST(ValueFormatsTest, EverySixteenBitIntegerReadsBackInBothForms) {
    EXPECT_EQ(IntegerToBlankSigned(2), " 2");
    EXPECT_EQ(IntegerToPlain(2), "2");
    for (int value = -32768; value <= 32767; ++value) {
        ASSERT_EQ(TextToInteger(IntegerToBlankSigned(value)), value);
        ASSERT_EQ(TextToInteger(IntegerToPlain(value)), value);
    }
}

TEST(ValueFormatsTest, SinglesReadBackWithoutDrift) {
    // Window measures, whole and quarter twips, come back exactly.
    for (int i = -9999999; i <= 9999999; i += 9973) {
        for (const float value : {static_cast<float>(i), static_cast<float>(i / 100) + 0.25f}) {
            ASSERT_EQ(TextToSingle(SingleToBlankSigned(value)), value);
        }
    }
    // Others within the seventh digit, and written again they give the same text.
    std::mt19937 random(20240305);
    std::uniform_real_distribution<float> mantissa(1.0f, 10.0f);
    std::uniform_int_distribution<int> power(-30, 30);
    for (int i = 0; i < 20000; ++i) {
        const float value = mantissa(random) * std::pow(10.0f, static_cast<float>(power(random)));
        const auto back = TextToSingle(SingleToBlankSigned(value));
        ASSERT_TRUE(back.has_value());
        ASSERT_LE(std::fabs(*back - value), 6e-7f * std::fabs(value)) << value;
        ASSERT_EQ(SingleToBlankSigned(*back), SingleToBlankSigned(value));
    }
}

}  // namespace
}  // namespace datrelle
