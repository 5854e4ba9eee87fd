#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "FakePlatform.h"
#include "launch/AutoStartChooser.h"
#include "launch/InstallerRunValues.h"
#include "launch/Launcher.h"
#include "launch/ModParse.h"
#include "launch/RegStuff.h"

namespace datrelle {
namespace {

using Log = std::vector<std::string>;
constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine, kUser = RegistryRoot::CurrentUser;

// A string value as the program writes it: its bytes end in a NUL.
const auto String = [](const std::string& text) { return RegistryValue{kRegSz, text + '\0'}; };

// The launcher's last character always belongs to the name; SplitPath takes either
// separator and keeps a root's. The shell opens a file in its folder, or where it
// chooses when there is none.
TEST(ModParseTest, PathsSplitTwoWaysAndShellOpen) {
    for (const auto& [path, fileName, folder, splitFolder, splitName] :
         {std::tuple{"C:\\Tools\\app.exe", "app.exe", "C:\\Tools\\", "C:\\Tools", "app.exe"},
          {"C:\\Tools\\", "Tools\\", "C:\\", "C:\\Tools", ""},
          {"C:\\notes.txt", "notes.txt", "C:\\", "C:\\", "notes.txt"},
          {"C:/Docs/a.txt", "C:/Docs/a.txt", "", "C:/Docs", "a.txt"},
          {"\\\\srv\\share\\x y.doc", "x y.doc", "\\\\srv\\share\\", "\\\\srv\\share", "x y.doc"},
          {"app.exe", "app.exe", "", "", "app.exe"},
          {"\\", "\\", "", "\\", ""},
          {"\\a", "a", "\\", "\\", "a"}}) {
        EXPECT_EQ(GetFileName(path), fileName) << path;
        EXPECT_EQ(FolderPart(path), folder) << path;
        EXPECT_EQ(SplitPath(path).folder, splitFolder) << path;
        EXPECT_EQ(SplitPath(path).fileName, splitName) << path;
    }
    fakes::FakePlatform fake;
    EXPECT_EQ(ShellOpen(fake, "C:\\Tools\\app.exe", ""), 42);
    ShellOpen(fake, "app.exe", "");
    ShellOpen(fake, "C:\\Tools\\app.exe", "D:\\Work");
    EXPECT_EQ(fake.log, (Log{"open C:\\Tools\\app.exe in C:\\Tools\\ 1", "open app.exe in - 1",
                             "open C:\\Tools\\app.exe in D:\\Work 1"}));
}

class LaunchTest : public ::testing::Test {
  protected:
    LaunchTest() {
        fake.AddFile("C:\\Tools\\app.exe");
        fake.AddFile("C:\\Tools\\hidden.exe").kind = PathKind::HiddenFile;
        fake.AddFile("C:\\Weather Tools\\nimbrel.exe");
        // Shows when the timer stops and when the mark changes, to tell them from the shell's
        // calls.
        form.Timer2.onShow = [this] { fake.log.push_back(form.Timer2.Enabled() ? "on" : "off"); };
        form.mnuAutoApp.onShow = [this] {
            fake.log.push_back(form.mnuAutoApp.Checked() ? "marked" : "unmarked");
        };
        form.Check4.onClick = [this] { launcher.OnCheck4Click(); };
    }
    fakes::FakePlatform fake;
    Form form;
    SharedVariables vars;
    CommonDialog dialog{fake};
    Launcher launcher{fake, fake, form, vars};
    AutoStartChooser chooser{dialog, form, vars};
    ProgramFile program{"C:\\Program Files\\Datrelle", "Datrelle"};
    RegStuff regStuff{fake.registry, program, form.Check1, vars};
};

TEST_F(LaunchTest, TickOpensAnOrdinaryFileOnceAfterStoppingTheTimer) {
    for (const auto& [app, calls] :
         {std::pair{"C:\\Tools\\missing.exe", "on off|"},
          {"C:\\Tools\\hidden.exe", "on off|"},
          {"", "on off|"},
          {"C:\\Tools\\app.exe", "on off open C:\\Tools\\app.exe in C:\\Tools\\ 1 marked|"}}) {
        vars.AppToRun = app;
        form.Timer2.SetEnabled(true);
        launcher.OnTimer2Tick();
        EXPECT_EQ(fake.Calls(), calls) << app;
    }
}

// Each check starts it. An existing file is quoted, so the space cannot split it; anything
// else is the command line as the user wrote it; no path starts nothing.
TEST_F(LaunchTest, CheckingStartNimbrelStartsTheWeatherProgramMinimized) {
    for (const auto& [path, started] :
         {std::pair{"C:\\Weather Tools\\nimbrel.exe", "start \"C:\\Weather Tools\\nimbrel.exe\" 6"},
          {"C:\\Tools\\missing.exe /x", "start C:\\Tools\\missing.exe /x 6"},
          {"", ""}}) {
        vars.WeatherAppPath = path;
        for (const int state : {CheckBox::kChecked, CheckBox::kUnchecked, CheckBox::kGreyed,
                                CheckBox::kChecked, CheckBox::kUnchecked}) {
            form.Check4.SetValue(state);
        }
        EXPECT_EQ(std::exchange(fake.log, {}), *path ? Log(2, started) : Log{});
    }
}

TEST_F(LaunchTest, AutoStartAppChoosesTheFileAndItsCheckMark) {
    dialog.InitDir = "C:\\Earlier";
    fake.answers = {"", "C:\\Docs\\letter.doc", ""};
    chooser.OnCommand9Click();  // cancelled with nothing set: no mark, not even for a moment
    EXPECT_EQ(fake.Calls() + fake.dialogs.back().initialFolder, "|C:\\Earlier");
    chooser.OnCommand9Click();  // chosen: stored and marked
    form.mnuAutoApp.SetChecked(false);
    chooser.OnCommand9Click();  // cancelled with a choice whose mark was off: the mark comes back
    EXPECT_EQ(fake.dialogs.back().initialFolder, "C:\\Docs\\letter.doc");
    chooser.OnCommand9Click();  // the mark is cleared while the dialog is open
    EXPECT_EQ(fake.Calls(), "marked unmarked marked unmarked marked|");
}

TEST_F(LaunchTest, RunValueOnTheMachineElseTheUsersKeyAndRemovedFromBoth) {
    form.Check1.onClick = [this] { regStuff.OnCheck1Click(); };
    vars.ExeName = "Datrelle.exe";
    auto& machine = fake.registry.Values(kMachine, kRunSubKey);
    const RegistryValue quoted = String("\"C:\\Program Files\\Datrelle\\Datrelle.exe\"");
    machine["Other.exe"] = String("C:\\Other.exe");
    form.Check1.SetValue(CheckBox::kChecked);
    EXPECT_EQ(machine.at("Datrelle.exe").bytes, quoted.bytes);
    EXPECT_EQ(fake.registry.opens, Log{"machine 63 open " + fakes::Lower(kRunSubKey)});
    // Every other state deletes it, in both places.
    for (const int state : {CheckBox::kUnchecked, CheckBox::kGreyed}) {
        form.Check1.SetValue(CheckBox::kChecked);
        fake.registry.Values(kUser, kRunSubKey)["Datrelle.exe"] = String("C:\\Old\\Datrelle.exe");
        form.Check1.SetValue(state);
        EXPECT_EQ(machine.count("Datrelle.exe"), 0u);
        EXPECT_EQ(fake.registry.Values(kUser, kRunSubKey).count("Datrelle.exe"), 0u);
    }
    EXPECT_EQ(machine.size(), 1u);
    // Without the rights to the machine's key the user's key takes the value, made if the
    // profile has none yet.
    fake.registry.keys.erase({kUser, fakes::Lower(kRunSubKey)});
    fake.registry.refused = {kMachine};
    regStuff.AddToRun("Datrelle.exe");
    EXPECT_EQ(fake.registry.opens.back(), "user 63 create " + fakes::Lower(kRunSubKey));
    EXPECT_EQ(fake.registry.Values(kUser, kRunSubKey).at("Datrelle.exe").bytes, quoted.bytes);
    // Named after the executable as it is named now.
    fake.registry.refused.clear();
    program.folder = "C:\\";
    vars.ExeName = "Renamed.exe";
    form.Check1.SetValue(CheckBox::kChecked);
    EXPECT_EQ(machine.at("Renamed.exe").bytes, String("C:\\Renamed.exe").bytes);
}

TEST(InstallerRunValuesTest, UninstallTakesTheProgramsValuesAndAnUpgradeKeepsThem) {
    const std::string program = "C:\\Users\\Zoe Ann\\Programs\\Datrelle\\Datrelle.exe";
    for (const std::string& data :
         {program, "\"" + program + "\"",
          std::string("c:\\users\\zoe ann\\programs\\datrelle\\DATRELLE.EXE")}) {
        EXPECT_TRUE(RunValueNames(data, program)) << data;
    }
    for (const std::string& data :
         {"\"" + program, program + " /x", std::string("Datrelle.exe"), std::string()}) {
        EXPECT_FALSE(RunValueNames(data, program)) << data;
    }
    EXPECT_FALSE(RunValueNames("", ""));

    fakes::FakePlatform::FakeRegistry registry;
    auto& user = registry.Values(kUser, kRunSubKey);
    auto& machine = registry.Values(kMachine, kRunSubKey);
    user["Datrelle.exe"] = String("\"" + program + "\"");
    user["Other.exe"] = String(program);
    machine["Datrelle.exe"] = String("C:\\Portable\\Datrelle.exe");
    const auto found = DecodeRunValues(EncodeRunValues(FindRunValues(registry, program), program));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->places, (RunValuePlaces{true, false}));
    ForgetRunValues(registry, program);
    EXPECT_TRUE(!user.contains("Datrelle.exe") && user.contains("Other.exe"));
    // Put back where it was found and is missing now, as the program writes it.
    RestoreRunValues(registry, found->programPath, {true, true});
    EXPECT_EQ(user.at("Datrelle.exe").bytes, String("\"" + program + "\"").bytes);
    EXPECT_EQ(machine.at("Datrelle.exe").bytes, String("C:\\Portable\\Datrelle.exe").bytes);
    machine["Datrelle.exe"] = {2, program + '\0'};  // not a plain string: not the program's
    registry.refused = {kMachine};
    ForgetRunValues(registry, program);  // without rights to the machine's key, the user's goes
    EXPECT_EQ(user.count("Datrelle.exe"), 0u);
    registry.refused.clear();
    EXPECT_EQ(FindRunValues(registry, program), (RunValuePlaces{false, false}));
    machine.clear();
    RestoreRunValues(registry, "C:\\Datrelle.exe", {false, true});
    EXPECT_EQ(machine.at("Datrelle.exe").bytes, String("C:\\Datrelle.exe").bytes);
    EXPECT_FALSE(DecodeRunValues("UM"));
    EXPECT_EQ(DecodeRunValues("M|C:\\D.exe")->places, (RunValuePlaces{false, true}));
}

}  // namespace
}  // namespace datrelle
