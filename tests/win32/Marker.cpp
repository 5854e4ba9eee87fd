#include "Marker.h"

#include "RunningProgram.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace datrelle::testing {
namespace {

std::string Normalised(std::string folder) {
    while (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
    }
    CharLowerBuffA(folder.data(), static_cast<DWORD>(folder.size()));
    return folder;
}

}  // namespace

bool PlaceMarker(const std::string& path) {
    const std::string source = TestProgramFolder() + "\\datrelle_marker.exe";
    return CopyFileA(source.c_str(), path.c_str(), FALSE) != FALSE;
}

std::vector<MarkerRecord> MarkerRecords(const std::string& folder) {
    std::ifstream file(folder + "\\marker.txt", std::ios::binary);
    std::vector<MarkerRecord> records;
    MarkerRecord record;
    for (std::string line; std::getline(file, line);) {
        if (line.rfind("cwd=", 0) == 0) {
            record = MarkerRecord{};
            record.workingFolder = line.substr(4);
        } else if (line.rfind("cmd=", 0) == 0) {
            record.commandLine = line.substr(4);
        } else if (line.rfind("show=", 0) == 0) {
            record.showMode = std::stoi(line.substr(5));
        } else if (line == "end") {
            records.push_back(record);
        }
    }
    return records;
}

bool SameFolder(std::string a, std::string b) {
    return Normalised(a) == Normalised(b);
}

}  // namespace datrelle::testing
