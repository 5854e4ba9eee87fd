#include "icongen/IconFiles.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>

#include "icongen/IcoDecoder.h"
#include "icongen/IcoEncoder.h"

namespace datrelle::icongen {
namespace {

std::optional<std::vector<std::uint8_t>> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>());
}

}  // namespace

void WriteIcons(const std::filesystem::path& directory, const std::vector<IconFile>& icons) {
    std::filesystem::create_directories(directory);
    for (const IconFile& icon : icons) {
        const std::vector<std::uint8_t> bytes = EncodeIco(icon.images);
        const std::filesystem::path path = directory / icon.name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            throw std::runtime_error("cannot write " + path.string());
        }
    }
}

std::vector<std::string> FindStaleIcons(const std::filesystem::path& directory,
                                        const std::vector<IconFile>& icons) {
    std::vector<std::string> stale;
    for (const IconFile& icon : icons) {
        const auto bytes = ReadFile(directory / icon.name);
        if (!bytes || DecodeIco(*bytes) != icon.images) {
            stale.push_back(icon.name);
        }
    }
    return stale;
}

}  // namespace datrelle::icongen
