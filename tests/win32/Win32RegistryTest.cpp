// The Run value written and removed through the real registry functions.

#include "win32/Win32Registry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "RunningProgram.h"
#include "launch/RegStuff.h"

namespace datrelle::win32 {
namespace {

constexpr const char* kRunKey = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\";

// The real registry, except that the machine-wide keys refuse to open, as they do for
// a user without administrator rights.
class WithoutMachineRights : public Registry {
  public:
    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, std::string_view subKey,
                                         std::uint32_t access) override {
        return root == RegistryRoot::LocalMachine ? nullptr : real.OpenKey(root, subKey, access);
    }
    std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, std::string_view subKey,
                                           std::uint32_t access) override {
        return root == RegistryRoot::LocalMachine ? nullptr : real.CreateKey(root, subKey, access);
    }
    Win32Registry real;
};

class Win32RegistryTest : public ::testing::Test {
  protected:
    void TearDown() override {
        for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
            HKEY key = nullptr;
            if (RegOpenKeyExA(root, kRunKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
                RegDeleteValueA(key, name.c_str());
                RegCloseKey(key);
            }
        }
    }

    // A name of this test process's own, so nothing else's value is touched.
    const std::string name = "DatrelleTest" + std::to_string(GetCurrentProcessId()) + ".exe";
    ProgramFile program{"C:\\Program Files\\Datrelle", "Datrelle"};
    CheckBox check1{CheckBox::kUnchecked};
    SharedVariables vars;
};

TEST_F(Win32RegistryTest, WithoutMachineRightsTheUsersRunKeyTakesTheValue) {
    WithoutMachineRights registry;
    program.folder = "C:\\";
    RegStuff regStuff{registry, program, check1, vars};
    regStuff.AddToRun(name);
    const auto written = testing::ReadRegistryValue(HKEY_CURRENT_USER, kRunKey, name);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->bytes, "C:\\" + name + std::string(1, '\0'));
    EXPECT_FALSE(testing::ReadRegistryValue(HKEY_LOCAL_MACHINE, kRunKey, name));

    // Removing with full rights clears both places.
    Win32Registry full;
    RegStuff withRights{full, program, check1, vars};
    withRights.AddToRun(name);
    ASSERT_TRUE(testing::ReadRegistryValue(HKEY_LOCAL_MACHINE, kRunKey, name));
    withRights.RemoveFromRun(name);
    EXPECT_FALSE(testing::ReadRegistryValue(HKEY_LOCAL_MACHINE, kRunKey, name));
    EXPECT_FALSE(testing::ReadRegistryValue(HKEY_CURRENT_USER, kRunKey, name));
}

TEST_F(Win32RegistryTest, OpenFailsForAMissingKeyAndCreateMakesIt) {
    const std::string subKey = "Software\\DatrelleTest" + std::to_string(GetCurrentProcessId());
    const std::string path = subKey + "\\Run";
    Win32Registry registry;
    EXPECT_EQ(registry.OpenKey(RegistryRoot::CurrentUser, path, 0x3F), nullptr);
    {
        const auto key = registry.CreateKey(RegistryRoot::CurrentUser, path, 0x3F);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->SetValue("x", kRegSz, std::string("y\0", 2)), kRegistrySuccess);
        EXPECT_EQ(key->DeleteValue("x"), kRegistrySuccess);
        EXPECT_NE(key->DeleteValue("x"), kRegistrySuccess);
    }
    EXPECT_NE(registry.OpenKey(RegistryRoot::CurrentUser, path, 0x3F), nullptr);
    RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, subKey.c_str());
}

}  // namespace
}  // namespace datrelle::win32
