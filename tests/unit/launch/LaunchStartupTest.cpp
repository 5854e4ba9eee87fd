// The launch handlers as start-up, the timer, the menu and shutdown drive them.

#include <gtest/gtest.h>

#include "FakePlatform.h"
#include "app/App.h"

namespace datrelle {
namespace {

using fakes::FakePlatform;

constexpr const char* kIni = "C:\\Tools\\Datrelle.ini";
constexpr const char* kRun = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";
constexpr const char* kWeather = "C:\\Nimbrel Weather\\nimbrel.exe";

class LaunchStartupTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fake.registry.AddKey(RegistryRoot::LocalMachine, kRun);
        fake.files.Add(kWeather);
        fake.files.Add("C:\\Apps\\app.exe");
    }

    void Load(const std::string& settings) {
        fake.profile.files[kIni] = settings;
        fake.files.Add(kIni, settings);
        app.Load();
    }

    std::string SavedAppToRun() {
        app.Unload();
        const std::string text = fake.profile.FileText(kIni).value_or("");
        const auto start = text.find("App to Run=");
        return text.substr(start + 11, text.find("\r\n", start) - start - 11);
    }

    FakePlatform fake;
    App app{fake.platform};
    Form& form = app.form();
};

TEST_F(LaunchStartupTest, AutoStartOnWritesTheRunValueAtStartUpAndOffTouchesNothing) {
    Load("[Settings]\r\nAuto Start=1\r\n");
    const auto* run = fake.registry.Key(RegistryRoot::LocalMachine, kRun);
    ASSERT_EQ(run->count("Datrelle.exe"), 1u);
    EXPECT_EQ(run->at("Datrelle.exe").bytes, std::string("C:\\Tools\\Datrelle.exe\0", 22));

    FakePlatform other;
    App offApp{other.platform};
    other.profile.files[kIni] = "[Settings]\r\nAuto Start=0\r\n";
    other.files.Add(kIni, "[Settings]\r\nAuto Start=0\r\n");
    offApp.Load();
    EXPECT_TRUE(other.registry.opens.empty());
}

TEST_F(LaunchStartupTest, StartWeatherStartsTheProgramAfterItsPathIsKnown) {
    Load(std::string("[Settings]\r\nNimbrel App path=") + kWeather + "\r\nStart Weather=1\r\n");
    ASSERT_EQ(fake.shell.starts.size(), 1u);
    EXPECT_EQ(fake.shell.starts[0].commandLine, std::string("\"") + kWeather + "\"");
    EXPECT_EQ(fake.shell.starts[0].showMode, kShowMinimized);
    EXPECT_TRUE(form.Command9.Enabled());
}

TEST_F(LaunchStartupTest, TheTimerOpensTheFileOnceAndShutdownKeepsIt) {
    Load("[Settings]\r\nApp to Run=C:\\Apps\\app.exe\r\nMilliseconds before starting App=1500\r\n");
    EXPECT_TRUE(form.Timer2.Running());
    EXPECT_EQ(form.Timer2.Interval(), 1500);
    EXPECT_TRUE(fake.shell.executions.empty());
    form.Timer2.Tick();
    ASSERT_EQ(fake.shell.executions.size(), 1u);
    EXPECT_EQ(fake.shell.executions[0].workingFolder, std::optional<std::string>("C:\\Apps\\"));
    EXPECT_FALSE(form.Timer2.Running());
    EXPECT_EQ(SavedAppToRun(), "C:\\Apps\\app.exe");
}

TEST_F(LaunchStartupTest, NoDelayOrANegativeOneNeverTicksAndTheFileIsForgotten) {
    for (const char* delay : {"0", "-5", ""}) {
        SCOPED_TRACE(delay);
        FakePlatform local;
        App localApp{local.platform};
        const std::string text = std::string("[Settings]\r\nApp to Run=C:\\Apps\\app.exe\r\n") +
                                 "Milliseconds before starting App=" + delay + "\r\n";
        local.profile.files[kIni] = text;
        local.files.Add(kIni, text);
        local.files.Add("C:\\Apps\\app.exe");
        localApp.Load();
        EXPECT_FALSE(localApp.form().Timer2.Running());
        localApp.Unload();
        EXPECT_NE(local.profile.FileText(kIni)->find("App to Run=\r\n"), std::string::npos);
        EXPECT_TRUE(local.shell.executions.empty());
    }
}

TEST_F(LaunchStartupTest, MenuItemChoosesOnlyWhileAutoStartAppIsEnabled) {
    Load("[Settings]\r\nApp to Run=C:\\Apps\\app.exe\r\n");
    ASSERT_FALSE(form.Command9.Enabled());
    fake.fileDialog.Choose("C:\\Apps\\other.exe");
    form.mnuAutoApp.Click();
    EXPECT_TRUE(fake.fileDialog.requests.empty());
    EXPECT_FALSE(form.mnuAutoApp.Checked());

    form.Command9.SetEnabled(true);
    form.mnuAutoApp.Click();
    ASSERT_EQ(fake.fileDialog.requests.size(), 1u);
    EXPECT_TRUE(form.mnuAutoApp.Checked());
    EXPECT_EQ(SavedAppToRun(), "C:\\Apps\\other.exe");
}

}  // namespace
}  // namespace datrelle
