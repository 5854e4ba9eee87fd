#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "icongen/IconCatalogue.h"
#include "icongen/IconFiles.h"

namespace datrelle::icongen {
namespace {

namespace fs = std::filesystem;

TEST(IconFiles, CheckFindsMissingAndChangedFilesOnly) {
    const fs::path directory = fs::path(::testing::TempDir()) / "icongen-check";
    fs::remove_all(directory);
    const auto icons = BuildAllIcons();
    WriteIcons(directory, icons);
    EXPECT_TRUE(FindStaleIcons(directory, icons).empty());

    fs::remove(directory / "day05.ico");
    {
        std::fstream changed(directory / "month02.ico",
                             std::ios::in | std::ios::out | std::ios::binary);
        changed.seekp(200);
        changed.put('\x7F');
    }
    EXPECT_EQ(FindStaleIcons(directory, icons),
              (std::vector<std::string>{"day05.ico", "month02.ico"}));
    fs::remove_all(directory);
}

TEST(IconFiles, CommittedIconsAreUpToDate) {
    const auto stale =
        FindStaleIcons(fs::path(DATRELLE_SOURCE_DIR) / "resources" / "icons", BuildAllIcons());
    EXPECT_TRUE(stale.empty()) << stale.size()
                               << " icons are out of date; run: icongen resources/icons";
}

}  // namespace
}  // namespace datrelle::icongen
