#include <gtest/gtest.h>

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

TEST(ModParseTest, FileNameFolderPartAndShellOpen) {
    const struct {
        const char* path;
        const char* fileName;
        const char* folder;
        const char* opened;  // how ShellOpen hands it to the shell
    } cases[] = {
        {"C:\\Tools\\app.exe", "app.exe", "C:\\Tools\\",
         "open C:\\Tools\\app.exe in C:\\Tools\\ 1"},
        {"C:\\app.exe", "app.exe", "C:\\", "open C:\\app.exe in C:\\ 1"},
        {"C:\\Tools\\", "Tools\\", "C:\\",
         "open C:\\Tools\\ in C:\\ 1"},  // the last character is the name's
        {"\\\\server\\share\\x y.doc", "x y.doc", "\\\\server\\share\\",
         "open \\\\server\\share\\x y.doc in \\\\server\\share\\ 1"},
        {"app.exe", "app.exe", "", "open app.exe in - 1"},  // no folder: the shell chooses
        {"\\", "\\", "", "open \\ in - 1"},
        {"\\a", "a", "\\", "open \\a in \\ 1"},
        {"", "", "", "open  in - 1"},
    };
    fakes::FakePlatform fake;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(GetFileName(c.path), c.fileName);
        EXPECT_EQ(FolderPart(c.path), c.folder);
        EXPECT_EQ(ShellOpen(fake, c.path, ""), 42);
        EXPECT_EQ(fake.log.back(), c.opened);
    }
    ShellOpen(fake, "C:\\Tools\\app.exe", "D:\\Work");
    EXPECT_EQ(fake.log.back(), "open C:\\Tools\\app.exe in D:\\Work 1");
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
        fake.Values(kMachine, kRun);
        fake.Values(kUser, kRun);
    }
    fakes::FakePlatform fake;
    Form form;
    SharedVariables vars;
    CommonDialog dialog{fake};
    Launcher launcher{fake, fake, form, vars};
    AutoStartChooser chooser{dialog, form, vars};
    ProgramFile program{"C:\\Program Files\\Datrelle", "Datrelle"};
    RegStuff regStuff{fake, program, form.Check1, vars};
};

TEST_F(LaunchTest, TickOpensAnOrdinaryFileOnceAfterStoppingTheTimer) {
    for (const char* app :
         {"C:\\Tools\\missing.exe", "C:\\Tools\\hidden.exe", "", "C:\\Tools\\app.exe"}) {
        SCOPED_TRACE(app);
        fake.log.clear();
        vars.AppToRun = app;
        form.Timer2.SetEnabled(true);
        form.Timer2.Tick();
        const bool opens = app == std::string("C:\\Tools\\app.exe");
        EXPECT_EQ(fake.log, opens ? (Log{"on", "off", "open C:\\Tools\\app.exe in C:\\Tools\\ 1"})
                                  : (Log{"on", "off"}));
        EXPECT_EQ(form.mnuAutoApp.Checked(), opens);
    }
}

TEST_F(LaunchTest, CheckingStartNimbrelStartsTheWeatherProgramMinimized) {
    const struct {
        const char* path;
        const char* started;
    } cases[] = {
        // An existing file is quoted, so the space cannot split it; anything else is the
        // command line as the user wrote it.
        {"C:\\Weather Tools\\nimbrel.exe", "start \"C:\\Weather Tools\\nimbrel.exe\" 6"},
        {"C:\\Tools\\missing.exe /x", "start C:\\Tools\\missing.exe /x 6"},
    };
    for (const auto& c : cases) {
        fake.log.clear();
        vars.WeatherAppPath = c.path;
        form.Check4.SetValue(CheckBox::kChecked);
        form.Check4.SetValue(CheckBox::kUnchecked);
        form.Check4.SetValue(CheckBox::kGreyed);
        form.Check4.SetValue(CheckBox::kChecked);
        EXPECT_EQ(fake.log, Log(2, c.started));
        form.Check4.SetValue(CheckBox::kUnchecked);
    }
    vars.WeatherAppPath.clear();
    fake.log.clear();
    form.Check4.SetValue(CheckBox::kChecked);
    EXPECT_TRUE(fake.log.empty());
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
    EXPECT_EQ(vars.AppToRun, "C:\\Docs\\letter.doc");
    EXPECT_TRUE(form.mnuAutoApp.Checked());
    form.mnuAutoApp.SetChecked(false);
    form.Command9.Press();
    EXPECT_TRUE(form.mnuAutoApp.Checked());
    EXPECT_EQ(vars.AppToRun, "C:\\Docs\\letter.doc");
    EXPECT_EQ(fake.dialogs.back().initialFolder, "C:\\Docs\\letter.doc");
    EXPECT_EQ(fake.dialogs.back().filter, kAutoAppFilter);
    EXPECT_EQ(fake.dialogs.back().title, "");
    // The mark is cleared while the dialog is open.
    form.mnuAutoApp.onShow = [this] {
        fake.log.push_back(form.mnuAutoApp.Checked() ? "on" : "off");
    };
    fake.log.clear();
    form.Command9.Press();
    EXPECT_EQ(fake.log, (Log{"off", "on"}));
}

TEST_F(LaunchTest, RunValueOnTheMachineElseTheUsersKeyAndRemovedFromBoth) {
    form.Check1.onClick = [this] { regStuff.OnCheck1Click(); };
    vars.ExeName = "Datrelle.exe";
    const RegistryValue quoted = String("\"C:\\Program Files\\Datrelle\\Datrelle.exe\"");
    fake.Values(kMachine, kRun)["Other.exe"] = String("C:\\Other.exe");
    form.Check1.SetValue(CheckBox::kChecked);
    EXPECT_EQ(fake.Values(kMachine, kRun).at("Datrelle.exe").bytes, quoted.bytes);
    EXPECT_EQ(fake.opens, Log{"machine 63 open " + fakes::Lower(kRun)});
    EXPECT_TRUE(fake.Values(kUser, kRun).empty());
    // Every other state deletes it, in both places.
    for (const int state : {CheckBox::kUnchecked, CheckBox::kGreyed}) {
        form.Check1.SetValue(CheckBox::kChecked);
        fake.Values(kUser, kRun)["Datrelle.exe"] = String("C:\\Old\\Datrelle.exe");
        form.Check1.SetValue(state);
        EXPECT_EQ(fake.Values(kMachine, kRun).count("Datrelle.exe"), 0u);
        EXPECT_EQ(fake.Values(kUser, kRun).count("Datrelle.exe"), 0u);
    }
    EXPECT_EQ(fake.Values(kMachine, kRun).size(), 1u);
    // Without the rights to the machine's key, or when writing there fails, the user's
    // key takes the value, made if the profile has none yet.
    fake.keys.clear();
    fake.refused = {kMachine};
    fake.opens.clear();
    regStuff.AddToRun("Datrelle.exe");
    EXPECT_EQ(fake.opens.back(), "user 63 create " + fakes::Lower(kRun));
    EXPECT_EQ(fake.Values(kUser, kRun).at("Datrelle.exe").bytes, quoted.bytes);
    fake.Values(kMachine, kRun);
    fake.refused = {kUser};
    fake.registryWritesFail = true;
    fake.opens.clear();
    regStuff.AddToRun("Datrelle.exe");
    EXPECT_EQ(fake.opens.size(), 2u);
    EXPECT_EQ(fake.openKeys, 0);
    // Named after the executable as it is named now.
    fake.registryWritesFail = false;
    fake.refused.clear();
    program.folder = "C:\\";
    vars.ExeName = "Renamed.exe";
    form.Check1.SetValue(CheckBox::kChecked);
    EXPECT_EQ(fake.Values(kMachine, kRun).at("Renamed.exe").bytes, String("C:\\Renamed.exe").bytes);
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

    fakes::FakePlatform fake;
    auto& user = fake.Values(kUser, kRun);
    auto& machine = fake.Values(kMachine, kRun);
    user["Datrelle.exe"] = String("\"" + program + "\"");
    user["Other.exe"] = String(program);
    machine["Datrelle.exe"] = String("C:\\Portable\\Datrelle.exe");
    const auto found = DecodeRunValues(EncodeRunValues(FindRunValues(fake, program), program));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->places, (RunValuePlaces{true, false}));
    EXPECT_EQ(found->programPath, program);
    ForgetRunValues(fake, program);
    EXPECT_EQ(user.count("Datrelle.exe"), 0u);
    EXPECT_EQ(user.count("Other.exe"), 1u);
    EXPECT_EQ(machine.size(), 1u);
    // Put back where it was found and is missing now, as the program writes it.
    RestoreRunValues(fake, found->programPath, {true, true});
    EXPECT_EQ(user.at("Datrelle.exe").bytes, String("\"" + program + "\"").bytes);
    EXPECT_EQ(machine.at("Datrelle.exe").bytes, String("C:\\Portable\\Datrelle.exe").bytes);
    machine.clear();
    machine["Datrelle.exe"] = {2, program + '\0'};  // not a plain string: not the program's
    fake.refused = {kMachine};
    ForgetRunValues(fake, program);  // without rights to the machine's key, the user's goes
    EXPECT_EQ(user.count("Datrelle.exe"), 0u);
    fake.refused.clear();
    EXPECT_EQ(FindRunValues(fake, program), (RunValuePlaces{false, false}));
    machine.clear();
    RestoreRunValues(fake, "C:\\Datrelle.exe", {false, true});
    EXPECT_EQ(machine.at("Datrelle.exe").bytes, String("C:\\Datrelle.exe").bytes);
    EXPECT_EQ(fake.openKeys, 0);
    EXPECT_FALSE(DecodeRunValues("UM"));
    EXPECT_EQ(DecodeRunValues("M|C:\\D.exe")->places, (RunValuePlaces{false, true}));
}

}  // namespace
}  // namespace datrelle
