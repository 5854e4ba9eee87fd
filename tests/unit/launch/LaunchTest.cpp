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
constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
constexpr const char* kRun = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";

RegistryValue String(const std::string& text) {
    return {kRegSz, text + std::string(1, '\0')};
}

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
        fake.AddFile("C:\\Tools\\hidden.exe").ordinary = false;
        fake.AddFile("C:\\Weather Tools\\nimbrel.exe");
        form.Timer2.onTick = [this] { launcher.OnTimer2Tick(); };
        // Shows when the timer stops, to tell it from the shell's call.
        form.Timer2.onShow = [this] { fake.log.push_back(form.Timer2.Enabled() ? "on" : "off"); };
        form.Check4.onClick = [this] { launcher.OnCheck4Click(); };
        form.Command9.onClick = [this] { chooser.OnCommand9Click(); };
        registry.Values(kMachine, kRun);
        registry.Values(kUser, kRun);
    }
    fakes::FakePlatform fake;
    fakes::FakePlatform::FakeRegistry& registry = fake.registry;
    Form form;
    SharedVariables vars;
    CommonDialog dialog{fake};
    Launcher launcher{fake, fake, form, vars};
    AutoStartChooser chooser{dialog, form, vars};
    ProgramFile program{"C:\\Program Files\\Datrelle", "Datrelle"};
    RegStuff regStuff{registry, program, form.Check1, vars};
};

TEST_F(LaunchTest, TickOpensAnOrdinaryFileOnceAfterStoppingTheTimer) {
    for (const char* app :
         {"C:\\Tools\\missing.exe", "C:\\Tools\\hidden.exe", "", "C:\\Tools\\app.exe"}) {
        SCOPED_TRACE(app);
        vars.AppToRun = app;
        form.Timer2.SetEnabled(true);
        form.Timer2.Tick();
        const bool opens = app == std::string("C:\\Tools\\app.exe");
        EXPECT_EQ(fake.Calls(),
                  opens ? "on off open C:\\Tools\\app.exe in C:\\Tools\\ 1|" : "on off|");
        EXPECT_EQ(form.mnuAutoApp.Checked(), opens);
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
    // Cancelled with nothing set: no mark. Chosen: stored and marked. Cancelled with a
    // choice whose mark was off: the mark comes back.
    form.Command9.SetEnabled(true);
    dialog.InitDir = "C:\\Earlier";
    fake.answers = {"", "C:\\Docs\\letter.doc", ""};
    form.Command9.Press();
    EXPECT_FALSE(form.mnuAutoApp.Checked());
    EXPECT_EQ(fake.dialogs.back().initialFolder, "C:\\Earlier");
    form.Command9.Press();
    EXPECT_TRUE(form.mnuAutoApp.Checked());
    form.mnuAutoApp.SetChecked(false);
    form.Command9.Press();
    EXPECT_TRUE(form.mnuAutoApp.Checked());
    EXPECT_EQ(fake.dialogs.back().initialFolder, "C:\\Docs\\letter.doc");
    // The mark is cleared while the dialog is open.
    form.mnuAutoApp.onShow = [this] {
        fake.log.push_back(form.mnuAutoApp.Checked() ? "on" : "off");
    };
    form.Command9.Press();
    EXPECT_EQ(fake.Calls(), "off on|");
}

TEST_F(LaunchTest, RunValueOnTheMachineElseTheUsersKeyAndRemovedFromBoth) {
    form.Check1.onClick = [this] { regStuff.OnCheck1Click(); };
    vars.ExeName = "Datrelle.exe";
    auto& machine = registry.Values(kMachine, kRun);
    const RegistryValue quoted = String("\"C:\\Program Files\\Datrelle\\Datrelle.exe\"");
    machine["Other.exe"] = String("C:\\Other.exe");
    form.Check1.SetValue(CheckBox::kChecked);
    EXPECT_EQ(machine.at("Datrelle.exe").bytes, quoted.bytes);
    EXPECT_EQ(registry.opens, Log{"machine 63 open " + fakes::Lower(kRun)});
    // Every other state deletes it, in both places.
    for (const int state : {CheckBox::kUnchecked, CheckBox::kGreyed}) {
        form.Check1.SetValue(CheckBox::kChecked);
        registry.Values(kUser, kRun)["Datrelle.exe"] = String("C:\\Old\\Datrelle.exe");
        form.Check1.SetValue(state);
        EXPECT_EQ(machine.count("Datrelle.exe"), 0u);
        EXPECT_EQ(registry.Values(kUser, kRun).count("Datrelle.exe"), 0u);
    }
    EXPECT_EQ(machine.size(), 1u);
    // Without the rights to the machine's key the user's key takes the value, made if the
    // profile has none yet.
    registry.keys.erase({kUser, fakes::Lower(kRun)});
    registry.refused = {kMachine};
    registry.opens.clear();
    regStuff.AddToRun("Datrelle.exe");
    EXPECT_EQ(registry.opens.back(), "user 63 create " + fakes::Lower(kRun));
    EXPECT_EQ(registry.Values(kUser, kRun).at("Datrelle.exe").bytes, quoted.bytes);
    // Named after the executable as it is named now.
    registry.refused.clear();
    program.folder = "C:\\";
    vars.ExeName = "Renamed.exe";
    form.Check1.SetValue(CheckBox::kChecked);
    EXPECT_EQ(machine.at("Renamed.exe").bytes, String("C:\\Renamed.exe").bytes);
}

TEST(InstallerRunValuesTest, UninstallTakesTheProgramsValuesAndAnUpgradeKeepsThem) {
    const std::string program = "C:\\Users\\Zoe Ann\\Programs\\Datrelle\\Datrelle.exe";
    for (const auto& [data, names] :
         {std::pair<std::string, bool>{program, true},
          {"\"" + program + "\"", true},
          {"c:\\users\\zoe ann\\programs\\datrelle\\DATRELLE.EXE", true},
          {"\"" + program, false},
          {program + " /x", false},
          {"Datrelle.exe", false},
          {"", false}}) {
        EXPECT_EQ(RunValueNames(data, program), names) << data;
    }
    EXPECT_FALSE(RunValueNames("", ""));

    fakes::FakePlatform::FakeRegistry registry;
    auto& user = registry.Values(kUser, kRun);
    auto& machine = registry.Values(kMachine, kRun);
    user["Datrelle.exe"] = String("\"" + program + "\"");
    user["Other.exe"] = String(program);
    machine["Datrelle.exe"] = String("C:\\Portable\\Datrelle.exe");
    const auto found = DecodeRunValues(EncodeRunValues(FindRunValues(registry, program), program));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->places, (RunValuePlaces{true, false}));
    ForgetRunValues(registry, program);
    EXPECT_EQ(user.count("Datrelle.exe"), 0u);
    EXPECT_EQ(user.count("Other.exe"), 1u);
    // Put back where it was found and is missing now, as the program writes it.
    RestoreRunValues(registry, found->programPath, {true, true});
    EXPECT_EQ(user.at("Datrelle.exe").bytes, String("\"" + program + "\"").bytes);
    EXPECT_EQ(machine.at("Datrelle.exe").bytes, String("C:\\Portable\\Datrelle.exe").bytes);
    machine.clear();
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
