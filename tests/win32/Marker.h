#pragma once

#include <string>
#include <vector>

// The marker program (MarkerProgram.cpp) as the tests place and read it.

namespace datrelle::testing {

struct MarkerRecord {
    std::string workingFolder;
    std::string commandLine;
    int showMode = -1;
};

// Copies the marker program, built beside the test program, to path (its folder must
// exist); false when it could not be copied.
bool PlaceMarker(const std::string& path);

// The complete records that marker programs in this folder have written, in order.
std::vector<MarkerRecord> MarkerRecords(const std::string& folder);

// Two folder paths naming the same folder: letter case and a trailing backslash aside.
bool SameFolder(std::string a, std::string b);

}  // namespace datrelle::testing
