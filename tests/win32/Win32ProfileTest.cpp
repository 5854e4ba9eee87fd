// The settings operations over the real profile functions, on files in a temporary folder.

#include "win32/Win32Profile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

    std::vector<std::string> Lines() const {
        std::vector<std::string> lines;
        const std::string text = files.ReadAll(file).value_or("");
        std::size_t pos = 0;
        while (pos < text.size()) {
            std::size_t end = text.find('\n', pos);
            if (end == std::string::npos) {
                end = text.size();
            }
            std::string line = text.substr(pos, end - pos);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            lines.push_back(line);
            pos = end + 1;
        }
        return lines;
    }

    // The position of the first line that begins with start, or -1.
    int LineStarting(const std::string& start) const {
        const auto lines = Lines();
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].rfind(start, 0) == 0) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }

    std::string folder = testing::MakeTempFolder();
    std::string file;
    Win32Profile profile;
    Win32Files files;
};

TEST_F(Win32ProfileTest, MissingFileReadsEmptyAndTheFirstWriteCreatesIt) {
    EXPECT_EQ(ReadIniValue(profile, "View", "Top", file), "");
    EXPECT_TRUE(WriteIniValue(profile, "View", "Top", " 1500", file));
    EXPECT_TRUE(files.IsOrdinaryFile(file));
    // Wine drops the leading blank of " 1500"; the number reads the same either way.
    EXPECT_EQ(TextToSingle(ReadIniValue(profile, "View", "Top", file)), 1500.0f);
    EXPECT_EQ(LineStarting("[View]"), 0);
    EXPECT_EQ(LineStarting("TOP="), 1);
}

TEST_F(Win32ProfileTest, KeysInOtherCaseAreUpdatedInPlaceAndOtherLinesKept) {
    Prepare(
        "; written by hand\r\n"
        "[view]\r\n"
        "top=100\r\n"
        "Unknown=keep me\r\n"
        "\r\n"
        "[Other]\r\n"
        "thing=kept\r\n"
        "[SETTINGS]\r\n"
        "auto start=1\r\n"
        "Nimbrel App path=C:\\Nimbrel\\nimbrel.exe\r\n");
    EXPECT_EQ(ReadIniValue(profile, "View", "Top", file), "100");
    EXPECT_EQ(ReadIniValue(profile, "Settings", "Auto Start", file), "1");

    WriteIniValue(profile, "View", "Top", " 200", file);
    WriteIniValue(profile, "Settings", "Auto Start", "0", file);
    WriteIniValue(profile, "View", "Last URL", "http://x/", file);
    WriteIniValue(profile, "Extra", "Key", "v", file);

    EXPECT_EQ(ReadIniValue(profile, "View", "Top", file), "200");
    EXPECT_EQ(ReadIniValue(profile, "Settings", "Auto Start", file), "0");
    EXPECT_EQ(ReadIniValue(profile, "Settings", "Nimbrel App path", file),
              "C:\\Nimbrel\\nimbrel.exe");
    EXPECT_EQ(ReadIniValue(profile, "Other", "thing", file), "kept");
    EXPECT_EQ(ReadIniValue(profile, "View", "unknown", file), "keep me");

    EXPECT_EQ(LineStarting("; written by hand"), 0);
    EXPECT_EQ(LineStarting("[view]"), 1);
    EXPECT_EQ(LineStarting("top="), 2);
    EXPECT_EQ(LineStarting("TOP="), -1);
    EXPECT_EQ(LineStarting("Unknown="), 3);
    // The new key joins its section; the new section comes last.
    EXPECT_GT(LineStarting("LAST URL="), LineStarting("top="));
    EXPECT_LT(LineStarting("LAST URL="), LineStarting("[Other]"));
    EXPECT_GT(LineStarting("auto start=0"), LineStarting("[SETTINGS]"));
    EXPECT_EQ(LineStarting("AUTO START="), -1);
    EXPECT_GT(LineStarting("[Extra]"), LineStarting("Nimbrel App path="));
}

TEST_F(Win32ProfileTest, ReadDropsBlanksAndOnePairOfQuotes) {
    Prepare(
        "[View]\r\n"
        "  Last URL  =   http://a/b c   \r\n"
        "[Settings]\r\n"
        "App to Run=\"C:\\Program Files\\x.exe\"\r\n"
        "Nimbrel App path='C:\\n.exe'\r\n");
    EXPECT_EQ(ReadIniValue(profile, "View", "Last URL", file), "http://a/b c");
    EXPECT_EQ(ReadIniValue(profile, "Settings", "App to Run", file), "C:\\Program Files\\x.exe");
    EXPECT_EQ(ReadIniValue(profile, "Settings", "Nimbrel App path", file), "C:\\n.exe");
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
    const std::string lost = folder + "\\missing\\Datrelle.ini";
    EXPECT_FALSE(WriteIniValue(profile, "View", "Top", " 1", lost));
    EXPECT_EQ(ReadIniValue(profile, "View", "Top", lost), "");
}

}  // namespace
}  // namespace datrelle::win32
