#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include "FakeProfile.h"

namespace datrelle {
namespace {

using fakes::FakeProfile;

constexpr const char* kFile = "D:\\Tools\\Datrelle.ini";

TEST(IniFilePathTest, OneBackslashBetweenFolderAndName) {
    struct Case {
        const char* folder;
        const char* path;
    };
    const Case cases[] = {
        {"D:\\Tools", "D:\\Tools\\Datrelle.ini"},
        {"C:\\", "C:\\Datrelle.ini"},
        {"D:\\Tools\\", "D:\\Tools\\Datrelle.ini"},
        {"\\\\server\\share\\apps", "\\\\server\\share\\apps\\Datrelle.ini"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IniFilePath(c.folder, "Datrelle"), c.path);
    }
    EXPECT_EQ(IniFilePath("D:\\Tools", "My.Date"), "D:\\Tools\\My.Date.ini");
}

TEST(IniFileTest, ReadAsksWithTheLowerCaseKeyAndTheFullBuffer) {
    FakeProfile profile;
    profile.files[kFile] = "[Settings]\r\nMilliseconds before starting App=250\r\n";
    EXPECT_EQ(ReadIniValue(profile, "Settings", "Milliseconds before starting App", kFile), "250");
    ASSERT_EQ(profile.reads.size(), 1u);
    EXPECT_EQ(profile.reads[0].section, "Settings");
    EXPECT_EQ(profile.reads[0].key, "milliseconds before starting app");
    EXPECT_EQ(profile.reads[0].bufferSize, 750u);
    EXPECT_EQ(profile.reads[0].file, kFile);
}

TEST(IniFileTest, MissingFileSectionOrKeyReadsEmpty) {
    FakeProfile profile;
    EXPECT_EQ(ReadIniValue(profile, "View", "Top", kFile), "");
    profile.files[kFile] = "[View]\r\nLeft=5\r\n[Other]\r\nTop=7\r\n";
    EXPECT_EQ(ReadIniValue(profile, "View", "Top", kFile), "");
    EXPECT_EQ(ReadIniValue(profile, "Settings", "Left", kFile), "");
    EXPECT_EQ(ReadIniValue(profile, "View", "Left", kFile), "5");
}

TEST(IniFileTest, ReadDropsBlanksAndOnePairOfQuotes) {
    struct Case {
        const char* line;
        const char* value;
    };
    const Case cases[] = {
        {"Last URL=http://example.com/", "http://example.com/"},
        {"  last url  =   http://a/b c   ", "http://a/b c"},
        {"LAST URL=\"C:\\x y\\z\"", "C:\\x y\\z"},
        {"Last URL= 'quoted' ", "quoted"},
        {"Last URL=\"\"twice\"\"", "\"twice\""},
        {"Last URL=\"unbalanced", "\"unbalanced"},
        {"Last URL=", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        FakeProfile profile;
        profile.files[kFile] = std::string("[view]\r\n") + c.line + "\r\n";
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
    const std::string read = ReadIniValue(profile, "Settings", "App to Run", kFile);
    EXPECT_EQ(read, value.substr(0, 749));
}

TEST(IniFileTest, NewKeysStandInCapitalsAndNewSectionsGoToTheEnd) {
    FakeProfile profile;
    profile.files[kFile] = "; kept by hand\r\n[View]\r\nTop= 10\r\n\r\n[Other]\r\nthing=kept\r\n";
    ASSERT_TRUE(WriteIniValue(profile, "View", "Last URL", "http://x/", kFile));
    ASSERT_TRUE(
        WriteIniValue(profile, "Settings", "Milliseconds before starting App", " 40", kFile));
    ASSERT_TRUE(WriteIniValue(profile, "Settings", "App to run", "", kFile));
    EXPECT_EQ(profile.FileText(kFile),
              "; kept by hand\r\n[View]\r\nTop= 10\r\nLAST URL=http://x/\r\n\r\n"
              "[Other]\r\nthing=kept\r\n"
              "[Settings]\r\nMILLISECONDS BEFORE STARTING APP= 40\r\nAPP TO RUN=\r\n");
    EXPECT_EQ(ReadIniValue(profile, "Settings", "App to Run", kFile), "");
}

TEST(IniFileTest, KeysInOtherLetterCaseAreFoundAndUpdatedInPlace) {
    FakeProfile profile;
    profile.files[kFile] =
        "[VIEW]\r\ntop=100\r\nWIDTH=9000\r\n[settings]\r\nauto start=1\r\nNimbrel App "
        "path=C:\\N\r\n";
    EXPECT_EQ(ReadIniValue(profile, "View", "Top", kFile), "100");
    EXPECT_EQ(ReadIniValue(profile, "View", "Width", kFile), "9000");
    EXPECT_EQ(ReadIniValue(profile, "Settings", "Auto Start", kFile), "1");

    ASSERT_TRUE(WriteIniValue(profile, "View", "Top", " 200", kFile));
    ASSERT_TRUE(WriteIniValue(profile, "Settings", "Auto Start", "0", kFile));
    EXPECT_EQ(profile.FileText(kFile),
              "[VIEW]\r\ntop= 200\r\nWIDTH=9000\r\n[settings]\r\nauto start=0\r\n"
              "Nimbrel App path=C:\\N\r\n");
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
