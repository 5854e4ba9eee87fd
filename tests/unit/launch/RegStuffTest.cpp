#include "launch/RegStuff.h"

#include <gtest/gtest.h>

#include "FakeRegistry.h"

namespace datrelle {
namespace {

using fakes::FakeRegistry;
using fakes::FakeRegValue;

constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
constexpr const char* kRun = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";

// The value's bytes as the registry keeps them: the string and its NUL.
FakeRegValue StringValue(const std::string& text) {
    return {1, text + std::string(1, '\0')};
}

TEST(RunValueDataTest, FolderRootAndSpaces) {
    struct Case {
        const char* folder;
        const char* data;
    };
    const Case cases[] = {
        {"C:\\Tools", "C:\\Tools\\Datrelle.exe"},
        {"C:\\", "C:\\Datrelle.exe"},
        {"\\\\server\\share\\bin", "\\\\server\\share\\bin\\Datrelle.exe"},
        // Unquoted, Windows would try C:\Program.exe first.
        {"C:\\Program Files\\Datrelle", "\"C:\\Program Files\\Datrelle\\Datrelle.exe\""},
        {"D:\\ ", "\"D:\\ \\Datrelle.exe\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(RunValueData(c.folder, "Datrelle.exe"), c.data);
    }
}

class RegStuffTest : public ::testing::Test {
  protected:
    void SetUp() override {
        registry.AddKey(kMachine, kRun);
        registry.AddKey(kUser, kRun);
        vars.ExeName = "Datrelle.exe";
    }

    const FakeRegistry::Values& Machine() const { return *registry.Key(kMachine, kRun); }
    const FakeRegistry::Values* User() const { return registry.Key(kUser, kRun); }

    FakeRegistry registry;
    ProgramFile program{"C:\\Program Files\\Datrelle", "Datrelle"};
    CheckBox check1{CheckBox::kUnchecked};
    SharedVariables vars;
    RegStuff regStuff{registry, program, check1, vars};
};

TEST_F(RegStuffTest, CheckingWritesTheMachineWideValueAndClosesTheKey) {
    check1.onClick = [this] { regStuff.OnCheck1Click(); };
    registry.AddKey(kMachine, kRun)["Other.exe"] = StringValue("C:\\Other.exe");

    check1.SetValue(CheckBox::kChecked);

    EXPECT_EQ(Machine().at("Datrelle.exe").type, 1u);
    // The length counts the NUL.
    EXPECT_EQ(Machine().at("Datrelle.exe").bytes,
              StringValue("\"C:\\Program Files\\Datrelle\\Datrelle.exe\"").bytes);
    EXPECT_EQ(Machine().size(), 2u);
    EXPECT_TRUE(User()->empty());
    ASSERT_EQ(registry.opens.size(), 1u);
    EXPECT_EQ(registry.opens[0].root, kMachine);
    EXPECT_EQ(registry.opens[0].subKey, kRun);
    EXPECT_EQ(registry.opens[0].access, 0x3Fu);
    EXPECT_FALSE(registry.opens[0].create);
    EXPECT_EQ(registry.openKeys, 0);
}

TEST_F(RegStuffTest, EveryOtherStateRemovesTheValueFromBothPlaces) {
    check1.onClick = [this] { regStuff.OnCheck1Click(); };
    for (const int state : {CheckBox::kUnchecked, CheckBox::kGreyed}) {
        SCOPED_TRACE(state);
        check1.SetValue(CheckBox::kChecked);
        registry.AddKey(kUser, kRun)["Datrelle.exe"] = StringValue("C:\\Old\\Datrelle.exe");
        registry.AddKey(kMachine, kRun)["Other.exe"] = StringValue("C:\\Other.exe");

        check1.SetValue(state);

        EXPECT_EQ(Machine().count("Datrelle.exe"), 0u);
        EXPECT_EQ(User()->count("Datrelle.exe"), 0u);
        EXPECT_EQ(Machine().count("Other.exe"), 1u);
        EXPECT_EQ(registry.openKeys, 0);
    }
}

TEST_F(RegStuffTest, WithoutRightsOnTheMachineKeyTheUsersRunKeyTakesTheValue) {
    registry.refused.insert(kMachine);
    regStuff.AddToRun("Datrelle.exe");
    EXPECT_EQ(User()->at("Datrelle.exe").bytes,
              StringValue("\"C:\\Program Files\\Datrelle\\Datrelle.exe\"").bytes);

    // A new profile may have no Run key of its own yet.
    registry.keys.erase({kUser, "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN"});
    regStuff.AddToRun("Datrelle.exe");
    ASSERT_NE(User(), nullptr);
    EXPECT_EQ(User()->count("Datrelle.exe"), 1u);
    EXPECT_EQ(registry.opens.back().root, kUser);
    EXPECT_EQ(registry.opens.back().access, 0x3Fu);

    regStuff.RemoveFromRun("Datrelle.exe");
    EXPECT_TRUE(User()->empty());
    EXPECT_EQ(registry.openKeys, 0);
}

TEST_F(RegStuffTest, AFailedMachineWideWriteAlsoFallsBack) {
    registry.writesFail = true;
    regStuff.AddToRun("Datrelle.exe");
    // Both writes fail here; what matters is that the user's key was tried.
    EXPECT_EQ(registry.opens.back().root, kUser);
    registry.writesFail = false;
    registry.refused.insert(kUser);
    regStuff.AddToRun("Datrelle.exe");
    EXPECT_EQ(Machine().count("Datrelle.exe"), 1u);
    EXPECT_EQ(registry.opens.back().root, kMachine);
}

TEST_F(RegStuffTest, RemovingAnAbsentValueOrWithoutAnyKeyChangesNothing) {
    registry.AddKey(kMachine, kRun)["Other.exe"] = StringValue("C:\\Other.exe");
    regStuff.RemoveFromRun("Datrelle.exe");
    EXPECT_EQ(Machine().size(), 1u);
    registry.refused = {kMachine, kUser};
    regStuff.RemoveFromRun("Datrelle.exe");
    regStuff.AddToRun("Datrelle.exe");
    EXPECT_EQ(Machine().size(), 1u);
    EXPECT_EQ(registry.openKeys, 0);
}

TEST_F(RegStuffTest, TheValueIsNamedAfterTheCurrentExecutable) {
    check1.onClick = [this] { regStuff.OnCheck1Click(); };
    registry.AddKey(kMachine, kRun)["Old.exe"] = StringValue("C:\\Tools\\Old.exe");
    program.folder = "C:\\";
    vars.ExeName = "Renamed.exe";
    check1.SetValue(CheckBox::kChecked);
    EXPECT_EQ(Machine().at("Renamed.exe").bytes, StringValue("C:\\Renamed.exe").bytes);
    check1.SetValue(CheckBox::kUnchecked);
    EXPECT_EQ(Machine().count("Renamed.exe"), 0u);
    EXPECT_EQ(Machine().count("Old.exe"), 1u);
}

}  // namespace
}  // namespace datrelle
