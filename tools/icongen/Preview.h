#pragma once

#include <filesystem>
#include <vector>

#include "icongen/IconCatalogue.h"

namespace datrelle::icongen {

// Writes enlarged contact sheets (binary PPM) for looking at the icons: one per tray size with
// every tray icon on it, and one for the window icon.
void WritePreviews(const std::filesystem::path& directory, const std::vector<IconFile>& trayIcons,
                   const IconFile& appIcon);

}  // namespace datrelle::icongen
