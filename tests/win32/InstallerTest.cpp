// The installer under Wine, as a user runs it: a silent install, an upgrade to a newer
// version, a refused older version and an uninstall, with the installed program run in
// between. One sequence, since each step starts from what the one before it left.

#include <windows.h>

#include <msi.h>
#include <process.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "Driver.h"
#include "form/Inventory.h"

namespace datrelle::testing {
namespace {

constexpr const char* kUpgradeCode = "{DFD9BB85-A4BE-423E-A35C-CEFDE7F97595}";
constexpr const char* kEmulationKey =
    "Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";

std::string KnownFolder(int id) {
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

// msiexec's exit code for an installer built beside the test program.
int Msiexec(const char* action, const char* installer) {
    const std::string path = "\"" + TestProgramFolder() + "\\" + installer + "\"";
    return static_cast<int>(
        _spawnlp(_P_WAIT, "msiexec.exe", "msiexec.exe", action, path.c_str(), "/qn", nullptr));
}

// The product codes installed under Datrelle's upgrade code.
std::vector<std::string> InstalledProducts() {
    std::vector<std::string> products;
    char code[39];
    for (DWORD index = 0; MsiEnumRelatedProductsA(kUpgradeCode, 0, index, code) == ERROR_SUCCESS;
         ++index) {
        products.push_back(code);
    }
    return products;
}

std::string ProductInfo(const std::string& product, const char* property) {
    char value[MAX_PATH] = "";
    DWORD size = sizeof value;
    return MsiGetProductInfoA(product.c_str(), property, value, &size) == ERROR_SUCCESS ? value
                                                                                        : "<none>";
}

// The machine's Run value is the one thing here that outlives the test's own folders.
struct MachineRunValueRemover {
    ~MachineRunValueRemover() { RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kRunKey, "Datrelle.exe"); }
};

TEST(InstallerTest, InstallsRunsUpgradesAndUninstallsKeepingWhatIsTheUsers) {
    const MachineRunValueRemover remover;
    const std::string folder = KnownFolder(CSIDL_LOCAL_APPDATA) + "\\Programs\\Datrelle";
    const std::string program = folder + "\\Datrelle.exe";
    const std::string shortcut = KnownFolder(CSIDL_PROGRAMS) + "\\Datrelle.lnk";

    ASSERT_EQ(Msiexec("/i", DATRELLE_INSTALLER), 0);
    auto products = InstalledProducts();
    ASSERT_EQ(products.size(), 1u);
    EXPECT_EQ(ProductInfo(products[0], INSTALLPROPERTY_INSTALLEDPRODUCTNAME), "Datrelle");
    EXPECT_EQ(ProductInfo(products[0], INSTALLPROPERTY_VERSIONSTRING), DATRELLE_VERSION);
    EXPECT_EQ(ProductInfo(products[0], INSTALLPROPERTY_PUBLISHER), "Tavrin");
    EXPECT_TRUE(std::filesystem::exists(ProductInfo(products[0], INSTALLPROPERTY_PRODUCTICON)));
    EXPECT_TRUE(std::filesystem::exists(shortcut));

    {
        // The installed program starts from its folder, shows the date and writes its
        // settings beside itself; no file of the installer is taken for notes.
        RunningProgram installed(folder);
        ASSERT_TRUE(installed.Start());
        EXPECT_TRUE(TrayHasIcon(installed.Day()) && TrayHasIcon(installed.Month()));
        EXPECT_NE(installed.Child("Edit", kText1InitialText), nullptr);
        ASSERT_EQ(installed.Close(), 0u);
    }
    EXPECT_NE(ReadFile(folder + "\\Datrelle.ini").find("[Settings]"), std::string::npos);

    // What the user has: settings, notes, and the program starting with Windows.
    const std::string settings = "[View]\r\nTop=1500\r\n[Settings]\r\nShow Month=0\r\n";
    const std::string notes = "notes\r\n\r\nkept\r\n";
    WriteFile(folder + "\\Datrelle.ini", settings);
    WriteFile(folder + "\\notes.txt", notes);
    SetRunValue(HKEY_CURRENT_USER, program);
    SetRunValue(HKEY_LOCAL_MACHINE, "C:\\Elsewhere\\Datrelle.exe");

    ASSERT_EQ(Msiexec("/i", DATRELLE_NEWER_INSTALLER), 0);
    products = InstalledProducts();
    ASSERT_EQ(products.size(), 1u);
    EXPECT_EQ(ProductInfo(products[0], INSTALLPROPERTY_VERSIONSTRING), DATRELLE_NEWER_VERSION);
    EXPECT_EQ(ReadFile(folder + "\\Datrelle.ini"), settings);
    EXPECT_EQ(ReadFile(folder + "\\notes.txt"), notes);
    EXPECT_EQ(RegistryValue(HKEY_CURRENT_USER, kRunKey), program + '\0');
    EXPECT_TRUE(std::filesystem::exists(program));

    // An older version over a newer one is refused and changes nothing.
    EXPECT_EQ(Msiexec("/i", DATRELLE_INSTALLER), 1603);
    EXPECT_EQ(InstalledProducts(), products);

    {
        RunningProgram installed(folder);
        ASSERT_TRUE(installed.Start());  // writes the browser panel's value
        ASSERT_EQ(installed.Close(), 0u);
    }
    ASSERT_TRUE(RegistryValue(HKEY_CURRENT_USER, kEmulationKey));
    const std::string settingsAtExit = ReadFile(folder + "\\Datrelle.ini");
    ASSERT_EQ(Msiexec("/x", DATRELLE_NEWER_INSTALLER), 0);
    EXPECT_TRUE(InstalledProducts().empty());
    EXPECT_FALSE(std::filesystem::exists(program));
    EXPECT_FALSE(std::filesystem::exists(folder + "\\Docs"));
    EXPECT_FALSE(std::filesystem::exists(shortcut));
    EXPECT_EQ(ReadFile(folder + "\\Datrelle.ini"), settingsAtExit);
    EXPECT_EQ(ReadFile(folder + "\\notes.txt"), notes);
    // Values that would start or set up the removed program go; one naming another copy
    // stays.
    EXPECT_FALSE(RegistryValue(HKEY_CURRENT_USER, kRunKey));
    EXPECT_EQ(RegistryValue(HKEY_LOCAL_MACHINE, kRunKey),
              std::string("C:\\Elsewhere\\Datrelle.exe") + '\0');
    EXPECT_FALSE(RegistryValue(HKEY_CURRENT_USER, kEmulationKey));
}

}  // namespace
}  // namespace datrelle::testing
