#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/Registry.h"

// What the installer does with the Run values that "Auto-Start with Windows" wrote: an
// uninstall takes away those that would start the program it removes, and an upgrade,
// which removes the old version before the new one takes its place, keeps them. The
// values are named after the program's file name, in the user's and in the machine's
// Run key.

namespace datrelle {

// Whether a Run value's data starts the program at programPath (a full path): the path,
// quoted or not, in any letter case, as Windows compares paths.
bool RunValueNames(std::string_view data, std::string_view programPath);

// The Run keys whose value starts the program at programPath.
struct RunValuePlaces {
    bool user = false;
    bool machine = false;

    bool operator==(const RunValuePlaces&) const = default;
};

RunValuePlaces FindRunValues(Registry& registry, std::string_view programPath);
// Deletes the values that start the program at programPath; a key that cannot be
// opened (the machine's, without administrator rights) is left as it is.
void ForgetRunValues(Registry& registry, std::string_view programPath);
// Writes the program's value again in those places where none stands now.
void RestoreRunValues(Registry& registry, std::string_view programPath, RunValuePlaces places);

// The places and the path as one text, which the installer hands from the action that
// finds the values to the one that restores them, and back.
std::string EncodeRunValues(RunValuePlaces places, std::string_view programPath);
struct FoundRunValues {
    RunValuePlaces places;
    std::string programPath;
};
std::optional<FoundRunValues> DecodeRunValues(std::string_view text);

}  // namespace datrelle
