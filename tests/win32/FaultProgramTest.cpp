// The real program faced with broken or hostile surroundings: it keeps working, ends
// cleanly and leaves its settings file usable.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "RunningProgram.h"

namespace datrelle::testing {
namespace {

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string Value(const std::string& ini, const char* section, const char* key) {
    char value[800] = "";
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, ini.c_str());
    return value;
}

struct Surroundings {
    const char* name;
    std::string settings;
};

TEST(FaultProgramTest, BrokenSettingsNeitherStopNorCorruptTheProgram) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    }
    const Surroundings cases[] = {
        {"binary garbage", garbage},
        {"values of 800 characters",
         "[View]\r\nTop=" + std::string(800, '9') + "\r\nLast URL=" + std::string(800, 'a') +
             "\r\n[Settings]\r\nApp to Run=" + std::string(800, 'b') + "\r\n"},
        {"missing weather program and auto-start file",
         "[Settings]\r\nNimbrel App path=C:\\no\\such\\nimbrel.exe\r\nStart Weather=1\r\n"
         "App to Run=C:\\no\\such\\file.exe\r\nMilliseconds before starting App=50\r\n"},
        {"numbers out of range",
         "[View]\r\nWidth=1E400\r\nHeight=-&HFFFFFFFFFF\r\n[Settings]\r\nAuto Start=99999\r\n"
         "date format=-40000\r\nMilliseconds before starting App=-7\r\n"},
    };
    for (const Surroundings& c : cases) {
        SCOPED_TRACE(c.name);
        RunningProgram program;
        const std::string ini = program.folder() + "\\Datrelle.ini";
        WriteFile(ini, c.settings);
        ASSERT_TRUE(program.Start());
        Sleep(300);  // past the delayed start
        EXPECT_TRUE(program.Running());
        EXPECT_EQ(program.Close(), 0u);
        // The next start can read what this one wrote.
        EXPECT_NE(Value(ini, "Settings", "Show Month"), "<missing>");
        EXPECT_NE(Value(ini, "View", "Width"), "<missing>");
    }
}

}  // namespace
}  // namespace datrelle::testing
