#include "launch/InstallerRunValues.h"

#include <algorithm>
#include <array>
#include <utility>

#include "launch/ModParse.h"
#include "launch/RegStuff.h"

namespace datrelle {
namespace {

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

constexpr std::array<std::pair<RegistryRoot, bool RunValuePlaces::*>, 2> kPlaces{{
    {RegistryRoot::CurrentUser, &RunValuePlaces::user},
    {RegistryRoot::LocalMachine, &RunValuePlaces::machine},
}};

bool NamesProgram(RegistryKey& key, std::string_view exeName, std::string_view programPath) {
    const auto value = key.QueryValue(exeName);
    if (!value || value->type != kRegSz) {
        return false;
    }
    std::string_view data = value->bytes;
    // A string's bytes end in its NUL.
    data = data.substr(0, data.find('\0'));
    return RunValueNames(data, programPath);
}

}  // namespace

bool RunValueNames(std::string_view data, std::string_view programPath) {
    if (data.size() >= 2 && data.front() == '"' && data.back() == '"') {
        data = data.substr(1, data.size() - 2);
    }
    return !programPath.empty() && SameLetters(data, programPath);
}

RunValuePlaces FindRunValues(Registry& registry, std::string_view programPath) {
    const std::string exeName = SplitPath(programPath).fileName;
    RunValuePlaces places;
    for (const auto& [root, place] : kPlaces) {
        if (const auto key = registry.OpenKey(root, kRunSubKey, kRunKeyAccess)) {
            places.*place = NamesProgram(*key, exeName, programPath);
        }
    }
    return places;
}

void ForgetRunValues(Registry& registry, std::string_view programPath) {
    const RunValuePlaces places = FindRunValues(registry, programPath);
    const std::string exeName = SplitPath(programPath).fileName;
    for (const auto& [root, place] : kPlaces) {
        if (places.*place) {
            DeleteRegValue(registry, root, kRunSubKey, exeName);
        }
    }
}

void RestoreRunValues(Registry& registry, std::string_view programPath, RunValuePlaces places) {
    const PathParts split = SplitPath(programPath);
    for (const auto& [root, place] : kPlaces) {
        const auto key =
            places.*place ? registry.OpenKey(root, kRunSubKey, kRunKeyAccess) : nullptr;
        // Only a value that is gone is written again; whatever stands there now stays.
        // Nothing to be done when it cannot be written: the next start of the program
        // writes it again while "Auto-Start with Windows" is checked.
        if (key && !key->QueryValue(split.fileName)) {
            (void)SetRegValue(*key, split.fileName, kRegSz,
                              RunValueData(split.folder, split.fileName));
        }
    }
}

std::string EncodeRunValues(RunValuePlaces places, std::string_view programPath) {
    std::string text;
    text += places.user ? "U" : "";
    text += places.machine ? "M" : "";
    text += '|';
    text += programPath;
    return text;
}

std::optional<FoundRunValues> DecodeRunValues(std::string_view text) {
    const auto bar = text.find('|');
    if (bar == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view flags = text.substr(0, bar);
    return FoundRunValues{
        {flags.find('U') != std::string_view::npos, flags.find('M') != std::string_view::npos},
        std::string(text.substr(bar + 1))};
}

}  // namespace datrelle
