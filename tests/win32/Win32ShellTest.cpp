// Opening a file through the real shell and starting a program from a command line.

#include "win32/Win32Shell.h"

#include <gtest/gtest.h>

#include "Marker.h"
#include "RunningProgram.h"
#include "launch/Launcher.h"

namespace datrelle::win32 {
namespace {

using testing::MarkerRecords;
using testing::PlaceMarker;
using testing::SameFolder;
using testing::WaitUntil;

class Win32ShellTest : public ::testing::Test {
  protected:
    void SetUp() override {
        base = testing::MakeTempFolder();
        folder = base + "\\with spaces";
        ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
        ASSERT_TRUE(PlaceMarker(folder + "\\marker app.exe"));
    }
    void TearDown() override { testing::RemoveFolder(base); }

    std::string base;
    std::string folder;
    Win32Shell shell;
};

TEST_F(Win32ShellTest, ShellOpenStartsTheFileInItsOwnFolder) {
    EXPECT_GT(ShellOpen(shell, folder + "\\marker app.exe", ""), 32);
    ASSERT_TRUE(WaitUntil([&] { return MarkerRecords(folder).size() == 1; }));
    const auto record = MarkerRecords(folder)[0];
    EXPECT_TRUE(SameFolder(record.workingFolder, folder)) << record.workingFolder;
    EXPECT_EQ(record.showMode, SW_SHOWNORMAL);
}

TEST_F(Win32ShellTest, ShellOpenOfAMissingFileReportsFailure) {
    EXPECT_LE(ShellOpen(shell, folder + "\\missing.exe", ""), 32);
    EXPECT_LE(ShellOpen(shell, "datrelle-no-such-program.exe", ""), 32);
}

TEST_F(Win32ShellTest, StartProcessHandsOverTheShowModeAndCommandLine) {
    const std::string commandLine = "\"" + folder + "\\marker app.exe\" /x";
    EXPECT_TRUE(shell.StartProcess(commandLine, SW_MINIMIZE));
    ASSERT_TRUE(WaitUntil([&] { return MarkerRecords(folder).size() == 1; }));
    const auto record = MarkerRecords(folder)[0];
    EXPECT_EQ(record.showMode, SW_MINIMIZE);
    EXPECT_EQ(record.commandLine, commandLine);
    EXPECT_FALSE(shell.StartProcess("\"" + folder + "\\missing.exe\"", SW_MINIMIZE));
}

}  // namespace
}  // namespace datrelle::win32
