#include <gtest/gtest.h>

#include <cmath>
#include <tuple>
#include <utility>

#include "FakePlatform.h"
#include "settings/IniFile.h"
#include "settings/SettingKeys.h"
#include "settings/ValueFormats.h"

namespace datrelle {
namespace {

using namespace std::string_literals;

// Blanks, tabs and line feeds are skipped; then the longest leading number counts: an
// exponent only with its digits (E or D, either case), hexadecimal and octal after an
// ampersand (either case).
TEST(TextToNumberTest, TakesTheLeadingNumber) {
    const std::pair<const char*, double> cases[] = {
        {" 1500", 1500}, {"-120", -120}, {"+7", 7},      {"12abc", 12}, {"\t1 \n5", 15},
        {"1\r5", 1},     {"1,5", 1},     {"1.2.3", 1.2}, {"-.5", -0.5}, {"0.1", 0.1},
        {"1h5", 1},      {"1O7", 1},     {".", 0},       {"--5", 0},    {"", 0},
        {"abc", 0},      {"E5", 0},      {"-0", 0},      {"0.000", 0},  {"0E5", 0},
        {"1E3", 1000},   {"1e3", 1000},  {"1D2", 100},   {"1d+2", 100}, {"2E-1", 0.2},
        {"1E", 1},       {"1E+", 1},     {"1E2.5", 100}, {"1F2", 1},    {"1C2", 1},
        {"1E-400", 0},   {"-1E-400", 0}, {"&H10", 16},   {"&H1F", 31},  {"&h 1 f", 31},
        {"&Hff", 255},   {"&HAa", 170},  {"&H9G", 9},    {"&Hg", 0},    {"&H@", 0},
        {"&H`", 0},      {"&H", 0},      {"&O17", 15},   {"&o78", 7},   {"&X1", 0},
        {"&", 0},        {"-&H10", 0},
    };
    for (const auto& [text, expected] : cases) {
        const double number = TextToNumber(text).value_or(NAN);  // NaN equals nothing
        EXPECT_DOUBLE_EQ(number, expected) << text;
        EXPECT_FALSE(number == 0 && std::signbit(number)) << text << " gives a negative zero";
    }
    // Only beyond the range of numbers does it fail, however long the text.
    for (const std::string& text :
         {std::string("1E400"), std::string("-1E400"), std::string("1E99999999999"),
          std::string(400, '9'), "&H" + std::string(300, 'F')}) {
        EXPECT_EQ(TextToNumber(text), std::nullopt) << text.substr(0, 12);
    }
    EXPECT_EQ(TextToNumber(std::string(300, '9') + "E-300"), 1.0);
    // Too small to be told from zero, although the digits before the exponent are many.
    for (const std::string& tiny :
         {std::string(400, '0') + "1E-330", "." + std::string(400, '0') + "1E50"}) {
        EXPECT_EQ(TextToNumber(tiny), 0.0) << tiny.substr(395);
    }
    EXPECT_DOUBLE_EQ(*TextToNumber("0.0001E310"), 1e306);
}

TEST(TextToNumberTest, IntegersRoundHalvesToEvenWithinSixteenBitsAndSinglesNarrow) {
    const std::pair<double, std::optional<std::int16_t>> cases[] = {
        {0.5, 0},           {1.5, 2},     {2.5, 2},          {-0.5, 0},     {-1.5, -2},
        {0.50000001, 1},    {2.4, 2},     {32767.49, 32767}, {32767.5, {}}, {32768, {}},
        {-32768.5, -32768}, {-32769, {}}, {NAN, {}},
    };
    for (const auto& [number, integer] : cases) {
        EXPECT_EQ(NumberToInteger(number), integer) << number;
    }
    EXPECT_EQ(TextToInteger("1E400"), std::nullopt);
    EXPECT_EQ(TextToSingle("3.4028234663852886E38"), 3.4028234663852886e38f);  // the largest
    EXPECT_EQ(TextToSingle("-3.5E38"), std::nullopt);
    EXPECT_EQ(TextToSingle("1E400"), std::nullopt);
}

TEST(NumberToTextTest, BlankSignedAndPlainForms) {
    const std::pair<float, const char*> cases[] = {
        {1500, " 1500"},         {-120, "-120"},       {0, " 0"},
        {-0.0f, " 0"},           {INFINITY, " 0"},     {NAN, " 0"},
        {9999999, " 9999999"},   {10000000, " 1E+07"}, {12345678, " 1.234568E+07"},
        {-1e-10f, "-1E-10"},     {0.5f, " .5"},        {-0.5f, "-.5"},
        {1.5f, " 1.5"},          {0.0001f, " .0001"},  {0.00001f, " 1E-05"},
        {2.0f / 3, " .6666667"},
    };
    for (const auto& [value, text] : cases) {
        EXPECT_EQ(SingleToBlankSigned(value), text) << value;
    }
    // Positive integers and 0 are checked with the file the program writes at exit.
    EXPECT_EQ(IntegerToBlankSigned(-1), "-1");
    EXPECT_EQ(IntegerToPlain(-2), "-2");
}

TEST(IniFileTest, PathReadAndWrite) {
    EXPECT_EQ(IniFilePath("D:\\Tools", "Datrelle"), "D:\\Tools\\Datrelle.ini");
    EXPECT_EQ(IniFilePath("C:\\", "My.Date"), "C:\\My.Date.ini");
    EXPECT_EQ(IniFilePath("", "Datrelle"), "\\Datrelle.ini");
    fakes::FakePlatform fake;
    // Keys are asked for in lower case, into a buffer of 750 UTF-16 units (to which the
    // profile cuts a value), and written in capitals (ASCII letters only). Whether the file
    // took the value is not asked: callers do not act on it.
    WriteIniValue(fake, "Settings", "App to run [@z`{]", "C:\\x.exe", "f");
    EXPECT_EQ(fake.writes.back(), "Settings/APP TO RUN [@Z`{]=C:\\x.exe");
    EXPECT_EQ(ReadIniValue(fake, "Settings", "APP TO RUN [@Z`{]", "f"), "C:\\x.exe");
    EXPECT_EQ(fake.reads.back(), "Settings/app to run [@z`{]/750");
}

// A settings file in the ANSI code page stays so while the code page can spell every value
// (Latin-1 here); otherwise it becomes UTF-16 LE with its mark, every line kept.
TEST(IniFileTest, UnicodeOnlyForValuesTheCodePageLacks) {
    fakes::FakePlatform fake;
    const std::vector<std::string> latin = {" 1500", "C:\\Caf\xC3\xA9\\x.exe", ""};
    const std::vector<std::string> czech = {" 1500", "C:\\Ji\xC5\x99\xC3\xAD\\x.exe"};
    EXPECT_FALSE(NeedsUnicodeFile(latin, fake));
    EXPECT_TRUE(NeedsUnicodeFile(czech, fake));
    const std::string mark = "\xFF\xFE";
    const std::tuple<const char*, std::optional<std::string>, std::string> cases[] = {
        {"missing", std::nullopt, mark},
        {"empty", "", mark},
        {"ANSI", "[View]\r\nTop=caf\xE9\r\n; note\r\n",
         mark +
             "[\0V\0i\0e\0w\0]\0\r\0\n\0T\0o\0p\0=\0c\0a\0f\0\xE9\0\r\0\n\0;\0 \0n\0o\0t\0e\0\r\0\n\0"s},
        {"UTF-8 with its mark", "\xEF\xBB\xBFx=\xC5\x99", mark + "x\0=\0\x59\x01"s},
        {"UTF-16 LE", "\xFF\xFEx\0"s, "\xFF\xFEx\0"s},
        {"UTF-16 BE", "\xFE\xFF\0x"s, "\xFE\xFF\0x"s},
    };
    for (const auto& [name, before, after] : cases) {
        SCOPED_TRACE(name);
        fake.files.clear();
        if (before) {
            fake.AddFile("C:\\Datrelle.ini", *before);
        }
        EXPECT_TRUE(MakeUnicodeFile(fake, fake, "C:\\Datrelle.ini"));
        EXPECT_EQ(fake.ReadAll("C:\\Datrelle.ini"), after);
    }
    // One that cannot be read, or replaced, stays as it was.
    fake.fails = fakes::FakePlatform::kLocked;
    for (const bool readable : {false, true}) {
        fakes::FakeFile& locked = fake.AddFile("C:\\Datrelle.ini", "x=1");
        locked.readable = readable;
        EXPECT_FALSE(MakeUnicodeFile(fake, fake, "C:\\Datrelle.ini"));
        EXPECT_EQ(locked.content, "x=1");
    }
}

// Each key writes only a value of its own kind (shutdown's forms are checked with the
// file it writes), and the key that is only read is never written.
TEST(SettingKeysTest, ValuesOfTheirKindOnly) {
    const SettingValue samples[] = {1.5f, std::int16_t{2}, std::string("x")};
    for (const SettingKeyInfo& info : kSettingKeys) {
        for (const SettingValue& sample : samples) {  // one of each kind, in ReadAs's order
            EXPECT_EQ(FormatSetting(info, sample).has_value(),
                      sample.index() == std::size_t(info.readAs) && info.writeAs != WriteAs::Never)
                << info.readName << sample.index();
        }
    }
    EXPECT_EQ(ParseSetting(KeyInfo(SettingKey::AppDelay), " -2"), SettingValue{std::int16_t{-2}});
    EXPECT_EQ(ParseSetting(KeyInfo(SettingKey::AppDelay), "40000"), std::nullopt);
    EXPECT_EQ(ParseSetting(KeyInfo(SettingKey::Top), " 1.5"), SettingValue{1.5f});
    EXPECT_EQ(ParseSetting(KeyInfo(SettingKey::Top), "1E39"), std::nullopt);
    EXPECT_EQ(ParseSetting(KeyInfo(SettingKey::AppToRun), " x "), SettingValue{std::string(" x ")});
}

}  // namespace
}  // namespace datrelle
