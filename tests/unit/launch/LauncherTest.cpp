#include "launch/Launcher.h"

#include <gtest/gtest.h>

#include "FakeFiles.h"
#include "FakeShell.h"

namespace datrelle {
namespace {

using fakes::FakeFiles;
using fakes::FakeShell;

TEST(ShellOpenTest, OpensWithTheFilesFolderAsWorkingFolder) {
    struct Case {
        const char* file;
        const char* folder;
        std::optional<std::string> workingFolder;
    };
    const Case cases[] = {
        {"C:\\Tools\\app.exe", "", "C:\\Tools\\"},
        {"C:\\app.exe", "", "C:\\"},
        {"C:\\My Docs\\a letter.doc", "", "C:\\My Docs\\"},
        {"C:\\Tools\\app.exe", "D:\\Work", "D:\\Work"},
        // A bare name has no folder of its own: the shell chooses.
        {"app.exe", "", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        FakeShell shell;
        shell.executeStatus = 2;
        EXPECT_EQ(ShellOpen(shell, c.file, c.folder), 2);
        ASSERT_EQ(shell.executions.size(), 1u);
        const auto& opened = shell.executions[0];
        EXPECT_EQ(opened.operation, "Open");
        EXPECT_EQ(opened.file, c.file);
        EXPECT_EQ(opened.parameters, "");
        EXPECT_EQ(opened.workingFolder, c.workingFolder);
        EXPECT_EQ(opened.showCommand, 1);
    }
}

class LauncherTest : public ::testing::Test {
  protected:
    void SetUp() override {
        files.Add("C:\\Tools\\app.exe");
        files.Add("C:\\Docs\\letter.doc");
        files.Add("C:\\Tools\\hidden.exe").hidden = true;
        files.Add("C:\\Tools\\system.exe").system = true;
        files.Add("C:\\Tools\\Folder").folder = true;
        files.Add("C:\\Weather Tools\\nimbrel.exe");
        form.Timer2.onTick = [this] { launcher.OnTimer2Tick(); };
        form.Check4.onClick = [this] { launcher.OnCheck4Click(); };
    }

    FakeShell shell;
    FakeFiles files;
    Form form;
    SharedVariables vars;
    Launcher launcher{shell, files, form, vars};
};

TEST_F(LauncherTest, TickOpensAnOrdinaryFileOnceAndSetsTheCheckMark) {
    struct Case {
        const char* appToRun;
        const char* workingFolder;  // nullptr: nothing opened
    };
    const Case cases[] = {
        {"C:\\Tools\\app.exe", "C:\\Tools\\"},
        {"C:\\Docs\\letter.doc", "C:\\Docs\\"},
        {"C:\\Tools\\missing.exe", nullptr},
        {"C:\\Tools\\hidden.exe", nullptr},
        {"C:\\Tools\\system.exe", nullptr},
        {"C:\\Tools\\Folder", nullptr},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.appToRun);
        shell.executions.clear();
        form.mnuAutoApp.SetChecked(false);
        vars.AppToRun = c.appToRun;
        form.Timer2.SetInterval(1500);
        form.Timer2.SetEnabled(true);

        form.Timer2.Tick();

        EXPECT_FALSE(form.Timer2.Running());
        EXPECT_EQ(form.mnuAutoApp.Checked(), c.workingFolder != nullptr);
        if (c.workingFolder == nullptr) {
            EXPECT_TRUE(shell.executions.empty());
            continue;
        }
        ASSERT_EQ(shell.executions.size(), 1u);
        EXPECT_EQ(shell.executions[0].file, c.appToRun);
        EXPECT_EQ(shell.executions[0].workingFolder, std::optional<std::string>(c.workingFolder));
    }
}

TEST_F(LauncherTest, CheckMarkIsSetEvenWhenTheShellFails) {
    shell.executeStatus = 31;  // no association
    vars.AppToRun = "C:\\Docs\\letter.doc";
    form.Timer2.Tick();
    EXPECT_EQ(shell.executions.size(), 1u);
    EXPECT_TRUE(form.mnuAutoApp.Checked());
}

TEST_F(LauncherTest, TimerIsStoppedBeforeTheShellRuns) {
    // The shell may pump messages; a tick dispatched there must find the timer stopped.
    struct ReentrantShell : FakeShell {
        std::intptr_t Execute(std::string_view operation, std::string_view file,
                              std::string_view parameters,
                              const std::optional<std::string>& workingFolder,
                              int showCommand) override {
            runningWhileOpening = timer->Running();
            return FakeShell::Execute(operation, file, parameters, workingFolder, showCommand);
        }
        const Timer* timer = nullptr;
        bool runningWhileOpening = true;
    } reentrant;
    reentrant.timer = &form.Timer2;
    Launcher local{reentrant, files, form, vars};
    vars.AppToRun = "C:\\Tools\\app.exe";
    form.Timer2.SetInterval(100);
    form.Timer2.SetEnabled(true);
    local.OnTimer2Tick();
    EXPECT_EQ(reentrant.executions.size(), 1u);
    EXPECT_FALSE(reentrant.runningWhileOpening);
}

TEST_F(LauncherTest, CheckingStartNimbrelStartsTheWeatherProgramMinimized) {
    struct Case {
        const char* weatherAppPath;
        const char* commandLine;  // nullptr: nothing started
    };
    const Case cases[] = {
        // An existing file is quoted, so the space cannot split it.
        {"C:\\Weather Tools\\nimbrel.exe", "\"C:\\Weather Tools\\nimbrel.exe\""},
        // Anything else is the command line the user wrote.
        {"C:\\Tools\\missing.exe", "C:\\Tools\\missing.exe"},
        {"\"C:\\Weather Tools\\nimbrel.exe\" /city=Oslo",
         "\"C:\\Weather Tools\\nimbrel.exe\" /city=Oslo"},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.weatherAppPath);
        shell.starts.clear();
        form.Check4.SetValue(CheckBox::kUnchecked);
        vars.WeatherAppPath = c.weatherAppPath;

        form.Check4.SetValue(CheckBox::kChecked);

        if (c.commandLine == nullptr) {
            EXPECT_TRUE(shell.starts.empty());
            continue;
        }
        ASSERT_EQ(shell.starts.size(), 1u);
        EXPECT_EQ(shell.starts[0].commandLine, c.commandLine);
        EXPECT_EQ(shell.starts[0].showMode, 6);
    }
    EXPECT_TRUE(shell.executions.empty());
}

TEST_F(LauncherTest, UncheckingStartsNothingAndCheckingAgainStartsAnotherInstance) {
    vars.WeatherAppPath = "C:\\Weather Tools\\nimbrel.exe";
    shell.startSucceeds = false;  // a failed start shows nothing and changes nothing
    form.Check4.SetValue(CheckBox::kChecked);
    form.Check4.SetValue(CheckBox::kUnchecked);
    form.Check4.SetValue(CheckBox::kGreyed);
    form.Check4.SetValue(CheckBox::kChecked);
    EXPECT_EQ(shell.starts.size(), 2u);
    EXPECT_EQ(form.Check4.Value(), CheckBox::kChecked);
}

}  // namespace
}  // namespace datrelle
