#include "launch/InstallerRunValues.h"

#include <gtest/gtest.h>

#include "FakeRegistry.h"

namespace datrelle {
namespace {

using fakes::FakeRegistry;
using fakes::FakeRegValue;

constexpr RegistryRoot kMachine = RegistryRoot::LocalMachine;
constexpr RegistryRoot kUser = RegistryRoot::CurrentUser;
constexpr const char* kRun = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";
constexpr const char* kProgram =
    "C:\\Users\\Ann Lee\\AppData\\Local\\Programs\\Datrelle\\Datrelle.exe";

FakeRegValue StringValue(const std::string& text) {
    return {kRegSz, text + std::string(1, '\0')};
}

TEST(RunValueNamesTest, ThePathQuotedOrNotInAnyLetterCase) {
    const struct {
        const char* data;
        bool names;
    } cases[] = {
        {kProgram, true},
        {"\"C:\\Users\\Ann Lee\\AppData\\Local\\Programs\\Datrelle\\Datrelle.exe\"", true},
        {"c:\\users\\ann lee\\appdata\\local\\programs\\datrelle\\DATRELLE.EXE", true},
        {"\"C:\\Users\\Ann Lee\\AppData\\Local\\Programs\\Datrelle\\Datrelle.exe", false},
        {"C:\\Users\\Ann Lee\\AppData\\Local\\Programs\\Datrelle\\Datrelle.exe /x", false},
        {"C:\\Users\\Ann Lee\\Apps\\Datrelle\\Datrelle.exe", false},
        {"Datrelle.exe", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.data);
        EXPECT_EQ(RunValueNames(c.data, kProgram), c.names);
    }
    EXPECT_FALSE(RunValueNames("", ""));
}

class InstallerRunValuesTest : public ::testing::Test {
  protected:
    FakeRegistry::Values& Run(RegistryRoot root) { return registry.AddKey(root, kRun); }

    FakeRegistry registry;
};

TEST_F(InstallerRunValuesTest, UninstallTakesOnlyTheValuesStartingThisProgram) {
    Run(kUser)["Datrelle.exe"] = StringValue(std::string("\"") + kProgram + "\"");
    Run(kUser)["Other.exe"] = StringValue(kProgram);
    Run(kMachine)["Datrelle.exe"] = StringValue("C:\\Portable\\Datrelle.exe");
    ForgetRunValues(registry, kProgram);
    EXPECT_EQ(Run(kUser).count("Datrelle.exe"), 0u);
    EXPECT_EQ(Run(kUser).count("Other.exe"), 1u);
    EXPECT_EQ(Run(kMachine).count("Datrelle.exe"), 1u);
    EXPECT_EQ(registry.openKeys, 0);

    // Without the rights to the machine's key, the user's value still goes.
    Run(kUser)["Datrelle.exe"] = StringValue(kProgram);
    Run(kMachine)["Datrelle.exe"] = StringValue(kProgram);
    registry.refused.insert(kMachine);
    ForgetRunValues(registry, kProgram);
    EXPECT_EQ(Run(kUser).count("Datrelle.exe"), 0u);
    registry.refused.clear();
    EXPECT_EQ(Run(kMachine).count("Datrelle.exe"), 1u);
}

TEST_F(InstallerRunValuesTest, UpgradePutsBackTheValuesTheOldVersionsRemovalTook) {
    Run(kUser)["Datrelle.exe"] = StringValue(kProgram);
    Run(kMachine)["Datrelle.exe"] = {4, std::string(4, '\0')};  // not a string: not ours
    const auto found =
        DecodeRunValues(EncodeRunValues(FindRunValues(registry, kProgram), kProgram));
    ASSERT_TRUE(found);
    EXPECT_EQ(found->places, (RunValuePlaces{true, false}));
    EXPECT_EQ(found->programPath, kProgram);

    ForgetRunValues(registry, kProgram);
    Run(kMachine).clear();
    RestoreRunValues(registry, found->programPath, found->places);
    // As the program writes it: quoted, for a path with a space.
    EXPECT_EQ(Run(kUser)["Datrelle.exe"].bytes,
              StringValue(std::string("\"") + kProgram + "\"").bytes);
    EXPECT_TRUE(Run(kMachine).empty());

    // A value that is still there is left as it is.
    Run(kUser)["Datrelle.exe"] = StringValue(kProgram);
    RestoreRunValues(registry, kProgram, {true, true});
    EXPECT_EQ(Run(kUser)["Datrelle.exe"].bytes, StringValue(kProgram).bytes);
    EXPECT_EQ(Run(kMachine).size(), 1u);

    EXPECT_FALSE(DecodeRunValues("UM"));
    EXPECT_EQ(DecodeRunValues("M|C:\\D.exe")->places, (RunValuePlaces{false, true}));
}

}  // namespace
}  // namespace datrelle
