#include "settings/IniFile.h"

namespace datrelle {
namespace {

// ASCII only: the keys are the program's own literals, and a locale-dependent
// conversion could turn them into different bytes than the ones in the file.
std::string WithCase(std::string_view text, bool upper) {
    std::string result(text);
    for (char& c : result) {
        if (upper && c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        } else if (!upper && c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return result;
}

}  // namespace

std::string IniFilePath(std::string_view folder, std::string_view baseName) {
    std::string path(folder);
    if (path.empty() || path.back() != '\\') {
        path += '\\';
    }
    path += baseName;
    path += ".ini";
    return path;
}

std::string ReadIniValue(Profile& profile, std::string_view section, std::string_view key,
                         std::string_view file) {
    std::string value = profile.GetString(section, WithCase(key, false), "", kIniBufferSize, file);
    if (value.size() > kIniBufferSize - 1) {
        value.resize(kIniBufferSize - 1);
    }
    return value;
}

bool WriteIniValue(Profile& profile, std::string_view section, std::string_view key,
                   std::string_view value, std::string_view file) {
    return profile.WriteString(section, WithCase(key, true), value, file);
}

}  // namespace datrelle
