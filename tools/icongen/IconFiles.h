#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "icongen/IconCatalogue.h"

namespace datrelle::icongen {

// Writes every icon into `directory`, creating it if needed. Throws std::runtime_error when a file
// cannot be written.
void WriteIcons(const std::filesystem::path& directory, const std::vector<IconFile>& icons);

// Names of the icons whose file in `directory` is missing or does not hold the icon's pictures, as
// they would be written; empty when the directory is up to date. Pictures, not bytes, are compared:
// another zlib build compresses the same pictures into other bytes.
std::vector<std::string> FindStaleIcons(const std::filesystem::path& directory,
                                        const std::vector<IconFile>& icons);

}  // namespace datrelle::icongen
