#include "settings/SettingKeys.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "FakeProfile.h"
#include "settings/IniFile.h"

namespace datrelle {
namespace {

using fakes::FakeProfile;

constexpr const char* kFile = "C:\\Datrelle.ini";

// Writes one key the way shutdown does.
void Save(FakeProfile& profile, SettingKey key, const SettingValue& value) {
    const SettingKeyInfo& info = KeyInfo(key);
    const auto text = FormatSetting(info, value);
    ASSERT_TRUE(text.has_value());
    ASSERT_TRUE(WriteIniValue(profile, info.section, info.writeName, *text, kFile));
}

// Reads one key the way start-up does.
std::optional<SettingValue> Load(FakeProfile& profile, SettingKey key) {
    const SettingKeyInfo& info = KeyInfo(key);
    return ParseSetting(info, ReadIniValue(profile, info.section, info.readName, kFile));
}

std::vector<SettingValue> SamplesFor(ReadAs kind) {
    switch (kind) {
        case ReadAs::Number:
            return {0.0f, 1500.0f, -120.0f, 0.5f, 7654321.0f, 1.5e20f, 1e-10f, -2.25f};
        case ReadAs::Integer:
            return {std::int16_t{0},    std::int16_t{1},     std::int16_t{2},     std::int16_t{-1},
                    std::int16_t{4000}, std::int16_t{32767}, std::int16_t{-32768}};
        case ReadAs::Text:
            return {std::string(), std::string("http://example.com/a?b=c&d=e"),
                    std::string("C:\\Program Files\\Some App\\app.exe"),
                    std::string("x=y; not a comment")};
    }
    return {};
}

TEST(SettingKeysTest, OrdersNameEveryKeyOnceAndNeverWriteTheWeatherPath) {
    for (const SettingKeyInfo& info : kSettingKeys) {
        SCOPED_TRACE(std::string(info.readName));
        EXPECT_EQ(std::count(kReadOrder.begin(), kReadOrder.end(), info.key), 1);
        const bool written = info.writeAs != WriteAs::Never;
        EXPECT_EQ(std::count(kWriteOrder.begin(), kWriteOrder.end(), info.key), written ? 1 : 0);
        EXPECT_EQ(info.writeName.empty(), !written);
    }
}

TEST(SettingKeysTest, EveryWrittenKeyReadsBackTheSameValue) {
    for (const SettingKey key : kWriteOrder) {
        const SettingKeyInfo& info = KeyInfo(key);
        for (const SettingValue& value : SamplesFor(info.readAs)) {
            SCOPED_TRACE(std::string(info.writeName) + " = " + *FormatSetting(info, value));
            FakeProfile profile;
            Save(profile, key, value);
            EXPECT_EQ(Load(profile, key), value);
        }
    }
}

TEST(SettingKeysTest, AllKeysTogetherSurviveRepeatedRuns) {
    FakeProfile profile;
    profile.files[kFile] = "[Settings]\r\nNimbrel App path=C:\\Nimbrel\\nimbrel.exe /quiet\r\n";
    for (int run = 0; run < 3; ++run) {
        for (const SettingKey key : kWriteOrder) {
            Save(profile, key, SamplesFor(KeyInfo(key).readAs)[static_cast<std::size_t>(run) + 1]);
        }
    }
    for (const SettingKey key : kWriteOrder) {
        SCOPED_TRACE(std::string(KeyInfo(key).readName));
        EXPECT_EQ(Load(profile, key), SamplesFor(KeyInfo(key).readAs)[3]);
    }
    EXPECT_EQ(Load(profile, SettingKey::WeatherAppPath),
              SettingValue{std::string("C:\\Nimbrel\\nimbrel.exe /quiet")});
}

TEST(SettingKeysTest, FileCreatedFromNothingHoldsBothSectionsInWriteOrder) {
    FakeProfile profile;
    const std::pair<SettingKey, SettingValue> values[] = {
        {SettingKey::Top, 1500.0f},
        {SettingKey::Left, -120.0f},
        {SettingKey::Height, 6000.0f},
        {SettingKey::Width, 9000.0f},
        {SettingKey::LastURL, std::string("http://example.com/")},
        {SettingKey::AutoStart, std::int16_t{1}},
        {SettingKey::ShowMonth, std::int16_t{0}},
        {SettingKey::AutoHide, std::int16_t{2}},
        {SettingKey::DateFormat, std::int16_t{1}},
        {SettingKey::StartWeather, std::int16_t{1}},
        {SettingKey::AppToRun, std::string("C:\\Tools\\a.exe")},
        {SettingKey::AppDelay, std::int16_t{4000}},
    };
    ASSERT_EQ(std::size(values), kWriteOrder.size());
    for (std::size_t i = 0; i < kWriteOrder.size(); ++i) {
        ASSERT_EQ(values[i].first, kWriteOrder[i]);
        Save(profile, values[i].first, values[i].second);
    }
    EXPECT_EQ(profile.FileText(kFile),
              "[View]\r\n"
              "TOP= 1500\r\n"
              "LEFT=-120\r\n"
              "HEIGHT= 6000\r\n"
              "WIDTH= 9000\r\n"
              "LAST URL=http://example.com/\r\n"
              "[Settings]\r\n"
              "AUTO START=1\r\n"
              "SHOW MONTH=0\r\n"
              "AUTO HIDE=2\r\n"
              "DATE FORMAT= 1\r\n"
              "START WEATHER= 1\r\n"
              "APP TO RUN=C:\\Tools\\a.exe\r\n"
              "MILLISECONDS BEFORE STARTING APP= 4000\r\n");
}

TEST(SettingKeysTest, ReadValuesFollowTheNumberRules) {
    struct Case {
        SettingKey key;
        const char* text;
        std::optional<SettingValue> value;
    };
    const Case cases[] = {
        {SettingKey::AutoStart, "1.5", std::int16_t{2}},
        {SettingKey::AutoStart, "0.5", std::int16_t{0}},
        {SettingKey::AutoStart, "7", std::int16_t{7}},  // converted; the box refuses it
        {SettingKey::ShowMonth, "", std::int16_t{0}},
        {SettingKey::DateFormat, " 2", std::int16_t{2}},
        {SettingKey::AppDelay, "40000", std::nullopt},
        {SettingKey::AppDelay, "", std::int16_t{0}},
        {SettingKey::Top, " 1500", 1500.0f},
        {SettingKey::Width, "", 0.0f},
        {SettingKey::Height, "1E39", std::nullopt},
        {SettingKey::Left, "-12.5abc", -12.5f},
        {SettingKey::LastURL, " 1500", std::string(" 1500")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(KeyInfo(c.key).readName) + " = " + c.text);
        EXPECT_EQ(ParseSetting(KeyInfo(c.key), c.text), c.value);
    }
}

TEST(SettingKeysTest, FormatRefusesTheReadOnlyKeyAndValuesOfAnotherKind) {
    EXPECT_EQ(FormatSetting(KeyInfo(SettingKey::WeatherAppPath), std::string("C:\\n.exe")),
              std::nullopt);
    EXPECT_EQ(FormatSetting(KeyInfo(SettingKey::Top), std::int16_t{5}), std::nullopt);
    EXPECT_EQ(FormatSetting(KeyInfo(SettingKey::AutoStart), 1.0f), std::nullopt);
    EXPECT_EQ(FormatSetting(KeyInfo(SettingKey::AppToRun), std::int16_t{1}), std::nullopt);
}

}  // namespace
}  // namespace datrelle
