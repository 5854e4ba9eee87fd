// icongen OUTDIR            writes every icon into OUTDIR
// icongen --check DIR       fails unless the icons in DIR match what would be written
// icongen --preview DIR     writes enlarged contact sheets for looking at the icons

#include <algorithm>
#include <exception>
#include <iostream>
#include <iterator>
#include <string_view>

#include "icongen/IconCatalogue.h"
#include "icongen/IconFiles.h"
#include "icongen/Preview.h"

namespace {

using namespace datrelle::icongen;

int Usage() {
    std::cerr << "usage: icongen OUTDIR\n"
                 "       icongen --check DIR\n"
                 "       icongen --preview DIR\n";
    return 2;
}

int Check(const std::filesystem::path& directory) {
    const auto stale = FindStaleIcons(directory, BuildAllIcons());
    for (const auto& name : stale) {
        std::cerr << "icongen: " << (directory / name).string()
                  << " is missing or out of date; regenerate with: icongen " << directory.string()
                  << '\n';
    }
    return stale.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 2 && std::string_view(argv[1]).substr(0, 2) != "--") {
            WriteIcons(argv[1], BuildAllIcons());
            return 0;
        }
        if (argc == 3 && std::string_view(argv[1]) == "--check") {
            return Check(argv[2]);
        }
        if (argc == 3 && std::string_view(argv[1]) == "--preview") {
            auto trayIcons = BuildTrayIcons();
            std::ranges::move(BuildWeekIcons(), std::back_inserter(trayIcons));
            WritePreviews(argv[2], trayIcons, BuildAppIcon());
            return 0;
        }
        return Usage();
    } catch (const std::exception& error) {
        std::cerr << "icongen: " << error.what() << '\n';
        return 1;
    }
}
