#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include "FakeProfile.h"

namespace datrelle {
namespace {

using fakes::FakeProfile;

constexpr const char* kFile = "D:\\Tools\\Datrelle.ini";

TEST(IniFilePathTest, OneBackslashBetweenFolderAndName) {
    EXPECT_EQ(IniFilePath("D:\\Tools", "Datrelle"), "D:\\Tools\\Datrelle.ini");
    EXPECT_EQ(IniFilePath("C:\\", "Datrelle"), "C:\\Datrelle.ini");
    EXPECT_EQ(IniFilePath("\\\\server\\share\\", "My.Date"), "\\\\server\\share\\My.Date.ini");
}

TEST(IniFileTest, ReadDropsBlanksAndOnePairOfQuotes) {
    struct Case {
        const char* text;
        const char* value;
    };
    const Case cases[] = {
        {"[view]\r\n  last url  =   http://a/b c   \r\n", "http://a/b c"},
        {"[view]\r\nLAST URL=\"C:\\x y\\z\"\r\n", "C:\\x y\\z"},
        {"[view]\r\nLast URL= 'quoted' \r\n", "quoted"},
        {"[view]\r\nLast URL=\"\"twice\"\"\r\n", "\"twice\""},
        {"[view]\r\nLast URL=\"unbalanced\r\n", "\"unbalanced"},
        {"[View]\r\nLeft=5\r\n[Other]\r\nLast URL=7\r\n", ""},  // another section's key
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        FakeProfile profile;
        profile.files[kFile] = c.text;
        EXPECT_EQ(ReadIniValue(profile, "View", "Last URL", kFile), c.value);
    }
}

TEST(IniFileTest, LongValueIsCutTo749Characters) {
    std::string value;
    for (int i = 0; i < 800; ++i) {
        value += static_cast<char>('a' + i % 26);
    }
    FakeProfile profile;
    ASSERT_TRUE(WriteIniValue(profile, "Settings", "App to run", value, kFile));
    EXPECT_EQ(ReadIniValue(profile, "Settings", "App to Run", kFile), value.substr(0, 749));
}

TEST(IniFileTest, KeysInOtherCaseAreUpdatedInPlaceNewOnesAppended) {
    FakeProfile profile;
    profile.files[kFile] = "[VIEW]\r\ntop=100\r\n[settings]\r\nauto start=1\r\n";
    EXPECT_EQ(ReadIniValue(profile, "View", "Top", kFile), "100");
    ASSERT_TRUE(WriteIniValue(profile, "View", "Top", " 200", kFile));
    ASSERT_TRUE(WriteIniValue(profile, "Settings", "Auto Start", "0", kFile));
    ASSERT_TRUE(WriteIniValue(profile, "View", "Last URL", "http://x/", kFile));
    ASSERT_TRUE(WriteIniValue(profile, "Extra", "App to run", "", kFile));
    EXPECT_EQ(profile.FileText(kFile),
              "[VIEW]\r\ntop= 200\r\nLAST URL=http://x/\r\n[settings]\r\nauto start=0\r\n"
              "[Extra]\r\nAPP TO RUN=\r\n");
}

TEST(IniFileTest, FailedWriteIsReportedAndChangesNothing) {
    FakeProfile profile;
    profile.files[kFile] = "[View]\r\nTop=1\r\n";
    profile.unwritable.insert(kFile);
    EXPECT_FALSE(WriteIniValue(profile, "View", "Top", "2", kFile));
    EXPECT_EQ(ReadIniValue(profile, "View", "Top", kFile), "1");
}

}  // namespace
}  // namespace datrelle
