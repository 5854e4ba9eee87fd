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
        std::string text;
        double number;
    };
    const Case cases[] = {
        {"1500", 1500},    {" 1500", 1500},
        {"-120", -120},    {"+7", 7},
        {"12abc", 12},     {"1 5", 15},
        {"\t1\n2", 12},    {"  - 1 2 . 5 ", -12.5},
        {"1.2.3", 1.2},    {".5", 0.5},
        {"-.5", -0.5},     {"5.", 5},
        {"00012", 12},     {"1E3", 1000},
        {"1e3", 1000},     {"1D2", 100},
        {"1d2", 100},      {"1.5E+20", 1.5e20},
        {" 1E-10", 1e-10}, {"2.5e-1x", 0.25},
        {"1E", 1},         {"1E+", 1},
        {"1Ex5", 1},       {"1E2.5", 100},
        {"1,5", 1},   // the regional comma is never a decimal point
        {"1\r2", 1},  // only blanks, tabs and line feeds are skipped
        {"&H1F", 31},      {"&h1f", 31},
        {"& H 1 F", 31},   {"&HFFFF", 65535},
        {"&H1FG2", 31},    {"&O17", 15},
        {"&o17", 15},      {"&O178", 15},
        {"&H", 0},         {"&HG", 0},
        {"&O9", 0},        {"&X1", 0},
        {"&", 0},          {"-&H10", 0},
        {"", 0},           {"abc", 0},
        {"-", 0},          {"+", 0},
        {".", 0},          {"--5", 0},
        {"E5", 0},         {"0E99999999", 0},
        {"1E-400", 0},     {"-1E-99999999999999999999", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("\"" + c.text + "\"");
        const auto number = TextToNumber(c.text);
        ASSERT_TRUE(number.has_value());
        EXPECT_EQ(*number, c.number);
        EXPECT_FALSE(std::signbit(*number) && *number == 0) << "negative zero";
    }
}

TEST(ValueFormatsTest, TextToNumberFailsOnlyBeyondTheRangeOfNumbers) {
    for (const std::string& text :
         std::vector<std::string>{"1E400", "-1E400", "1E99999999999999999999", "0.000001E320",
                                  std::string(400, '9'), "&H" + std::string(300, 'F')}) {
        SCOPED_TRACE(text.substr(0, 30));
        EXPECT_EQ(TextToNumber(text), std::nullopt);
    }
    // Long texts that are still in range.
    EXPECT_EQ(TextToNumber(std::string(300, '9') + "E-300"), 1.0);
    EXPECT_EQ(TextToNumber("0." + std::string(400, '0') + "1E401"), 1);
}

TEST(ValueFormatsTest, NumberToIntegerRoundsHalvesToEvenWithinSixteenBits) {
    struct Case {
        double number;
        std::optional<std::int16_t> integer;
    };
    const Case cases[] = {
        {0, 0},
        {0.5, 0},
        {1.5, 2},
        {2.5, 2},
        {3.5, 4},
        {-0.5, 0},
        {-1.5, -2},
        {-2.5, -2},
        {0.49999999, 0},
        {0.50000001, 1},
        {-0.50000001, -1},
        {7, 7},
        {32767, 32767},
        {32767.49, 32767},
        {32767.5, std::nullopt},
        {32768, std::nullopt},
        {40000, std::nullopt},
        {-32768, -32768},
        {-32768.5, -32768},
        {-32768.51, std::nullopt},
        {-32769, std::nullopt},
        {1e300, std::nullopt},
        {std::numeric_limits<double>::infinity(), std::nullopt},
        {std::numeric_limits<double>::quiet_NaN(), std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(NumberToInteger(c.number), c.integer);
    }
}

TEST(ValueFormatsTest, TextToIntegerAndTextToSingle) {
    EXPECT_EQ(TextToInteger(" 1500"), 1500);
    EXPECT_EQ(TextToInteger("1.5"), 2);
    EXPECT_EQ(TextToInteger("0.5"), 0);
    EXPECT_EQ(TextToInteger("-120"), -120);
    EXPECT_EQ(TextToInteger(""), 0);
    EXPECT_EQ(TextToInteger("&H7FFF"), 32767);
    EXPECT_EQ(TextToInteger("40000"), std::nullopt);
    EXPECT_EQ(TextToInteger("&HFFFF"), std::nullopt);
    EXPECT_EQ(TextToInteger("1E400"), std::nullopt);

    EXPECT_EQ(TextToSingle(" 1500"), 1500.0f);
    EXPECT_EQ(TextToSingle("-120.5"), -120.5f);
    EXPECT_EQ(TextToSingle(""), 0.0f);
    EXPECT_EQ(TextToSingle("3.4E38"), 3.4e38f);
    EXPECT_EQ(TextToSingle("1E-50"), 0.0f);
    EXPECT_EQ(TextToSingle("3.5E38"), std::nullopt);
    EXPECT_EQ(TextToSingle("-1E39"), std::nullopt);
    EXPECT_EQ(TextToSingle("1E400"), std::nullopt);
}

TEST(ValueFormatsTest, SingleToBlankSigned) {
    struct Case {
        float value;
        const char* text;
    };
    const Case cases[] = {
        {1500, " 1500"},
        {-120, "-120"},
        {2, " 2"},
        {0, " 0"},
        {-0.0f, " 0"},
        {100, " 100"},
        {1000000, " 1000000"},
        {9999999, " 9999999"},
        {10000000, " 1E+07"},
        {-10000000, "-1E+07"},
        {12345678, " 1.234568E+07"},
        {16777216, " 1.677722E+07"},
        {1.5e20f, " 1.5E+20"},
        {1e-10f, " 1E-10"},
        {-1e-10f, "-1E-10"},
        {0.5f, " .5"},
        {-0.5f, "-.5"},
        {0.1f, " .1"},
        {0.0001f, " .0001"},
        {0.00001f, " 1E-05"},
        {123.25f, " 123.25"},
        {1.0f / 3, " .3333333"},
        {2.0f / 3, " .6666667"},
        {std::numeric_limits<float>::max(), " 3.402823E+38"},
        {std::numeric_limits<float>::infinity(), " 0"},
        {std::numeric_limits<float>::quiet_NaN(), " 0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(SingleToBlankSigned(c.value), c.text);
    }
}

TEST(ValueFormatsTest, IntegerForms) {
    struct Case {
        int value;
        const char* blankSigned;
        const char* plain;
    };
    const Case cases[] = {
        {1500, " 1500", "1500"}, {-120, "-120", "-120"},
        {2, " 2", "2"},          {1, " 1", "1"},
        {0, " 0", "0"},          {32767, " 32767", "32767"},
        {-1, "-1", "-1"},        {-32768, "-32768", "-32768"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IntegerToBlankSigned(c.value), c.blankSigned);
        EXPECT_EQ(IntegerToPlain(c.value), c.plain);
    }
}

TEST(ValueFormatsTest, EverySixteenBitIntegerReadsBackInBothForms) {
    for (int value = -32768; value <= 32767; ++value) {
        ASSERT_EQ(TextToInteger(IntegerToBlankSigned(value)), value);
        ASSERT_EQ(TextToInteger(IntegerToPlain(value)), value);
    }
}

TEST(ValueFormatsTest, SinglesOfSevenDigitsReadBackExactly) {
    std::vector<float> values = {0.5f,     -0.5f,   1.5e20f, 1e-10f, -1e-10f,   0.0001f,
                                 0.00001f, 123.25f, 9999999, 1e38f,  -3.25e-30f};
    // Window measures: whole and quarter twips over more than any screen.
    for (int i = -9999999; i <= 9999999; i += 9973) {
        values.push_back(static_cast<float>(i));
        values.push_back(static_cast<float>(i / 100) + 0.25f);
    }
    for (const float value : values) {
        SCOPED_TRACE(value);
        const std::string text = SingleToBlankSigned(value);
        EXPECT_EQ(TextToSingle(text), value) << text;
    }
}

TEST(ValueFormatsTest, SinglesOfMoreDigitsReadBackWithinTheSeventhDigit) {
    std::mt19937 random(20240305);
    std::uniform_real_distribution<float> mantissa(1.0f, 10.0f);
    std::uniform_int_distribution<int> power(-30, 30);
    for (int i = 0; i < 20000; ++i) {
        const float value = mantissa(random) * std::pow(10.0f, static_cast<float>(power(random)));
        const auto back = TextToSingle(SingleToBlankSigned(value));
        ASSERT_TRUE(back.has_value());
        ASSERT_LE(std::fabs(*back - value), 6e-7f * std::fabs(value)) << value;
        // Written again, the value read back gives the same text: no drift over runs.
        ASSERT_EQ(SingleToBlankSigned(*back), SingleToBlankSigned(value));
    }
}

}  // namespace
}  // namespace datrelle
