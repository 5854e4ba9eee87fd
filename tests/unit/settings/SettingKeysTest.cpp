#include "settings/SettingKeys.h"

#include <gtest/gtest.h>

#include <vector>

#include "FakeProfile.h"
#include "settings/IniFile.h"

namespace datrelle {
namespace {

constexpr const char* kFile = "C:\\Datrelle.ini";

std::vector<SettingValue> SamplesFor(ReadAs kind) {
    switch (kind) {
        case ReadAs::Number:
            return {0.0f, 1500.0f, -120.0f, 0.5f, 7654321.0f, 1.5e20f, 1e-10f, -2.25f};
        case ReadAs::Integer:
            return {std::int16_t{0}, std::int16_t{2}, std::int16_t{-1}, std::int16_t{32767},
                    std::int16_t{-32768}};
        case ReadAs::Text:
            return {std::string(), std::string("http://example.com/a?b=c&d=e"),
                    std::string("x=y; not a comment")};
    }
    return {};
}

// Each key written the way shutdown does reads back, the way start-up does, as itself.
TEST(SettingKeysTest, EveryWrittenKeyReadsBackTheSameValue) {
    for (const SettingKey key : kWriteOrder) {
        const SettingKeyInfo& info = KeyInfo(key);
        for (const SettingValue& value : SamplesFor(info.readAs)) {
            const auto text = FormatSetting(info, value);
            ASSERT_TRUE(text.has_value());
            SCOPED_TRACE(std::string(info.writeName) + " = " + *text);
            fakes::FakeProfile profile;
            ASSERT_TRUE(WriteIniValue(profile, info.section, info.writeName, *text, kFile));
            EXPECT_EQ(ParseSetting(info, ReadIniValue(profile, info.section, info.readName, kFile)),
                      value);
        }
    }
}

}  // namespace
}  // namespace datrelle
