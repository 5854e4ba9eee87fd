// The settings operations over the real profile functions, on files in a temporary folder.

#include "win32/Win32Profile.h"

#include <gtest/gtest.h>

#include <string>

#include "RunningProgram.h"
#include "settings/IniFile.h"
#include "settings/ValueFormats.h"
#include "win32/Win32Files.h"

namespace datrelle::win32 {
namespace {

class Win32ProfileTest : public ::testing::Test {
  protected:
    void SetUp() override { file = IniFilePath(folder, "Datrelle"); }
    void TearDown() override { testing::RemoveFolder(folder); }

    void Prepare(const std::string& text) { ASSERT_TRUE(files.ReplaceContent(file, text)); }

    std::string Text() const { return files.ReadAll(file).value_or(""); }

    std::string folder = testing::MakeTempFolder();
    std::string file;
    Win32Profile profile;
    Win32Files files;
};

TEST_F(Win32ProfileTest, KeysInOtherCaseAreUpdatedInPlaceAndOtherLinesKept) {
    Prepare(
        "; written by hand\r\n"
        "[view]\r\n"
        "top=100\r\n"
        "Unknown=keep me\r\n"
        "  Last URL  =   http://a/b c   \r\n"
        "[SETTINGS]\r\n"
        "auto start=1\r\n"
        "App to Run=\"C:\\Program Files\\x.exe\"\r\n");
    EXPECT_EQ(ReadIniValue(profile, "View", "Last URL", file), "http://a/b c");
    EXPECT_EQ(ReadIniValue(profile, "Settings", "App to Run", file), "C:\\Program Files\\x.exe");

    EXPECT_TRUE(WriteIniValue(profile, "View", "Top", " 200", file));
    EXPECT_TRUE(WriteIniValue(profile, "Settings", "Auto Start", "0", file));
    EXPECT_TRUE(WriteIniValue(profile, "Extra", "Key", "v", file));
    const std::string text = Text();
    EXPECT_TRUE(text.starts_with("; written by hand\r\n[view]\r\ntop=")) << text;
    EXPECT_NE(text.find("Unknown=keep me\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("[SETTINGS]\r\nauto start=0\r\n"), std::string::npos) << text;
    EXPECT_GT(text.find("[Extra]"), text.find("App to Run")) << text;
    // Wine drops the leading blank of " 200"; the number reads the same either way.
    EXPECT_EQ(TextToSingle(ReadIniValue(profile, "View", "Top", file)), 200.0f);
}

TEST_F(Win32ProfileTest, LongValueIsCutTo749Characters) {
    std::string value;
    for (int i = 0; i < 800; ++i) {
        value += static_cast<char>('a' + i % 26);
    }
    Prepare("[Settings]\r\nApp to Run=" + value + "\r\n");
    EXPECT_EQ(ReadIniValue(profile, "Settings", "App to Run", file), value.substr(0, 749));
}

TEST_F(Win32ProfileTest, WriteIntoAMissingFolderFails) {
    EXPECT_FALSE(WriteIniValue(profile, "View", "Top", " 1", folder + "\\missing\\Datrelle.ini"));
}

}  // namespace
}  // namespace datrelle::win32
