#include "settings/IniFile.h"

#include <algorithm>

#include "files/FileReplacement.h"
#include "text/Unicode.h"

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
    return profile.GetString(section, WithCase(key, false), "", kIniBufferSize, file);
}

bool WriteIniValue(Profile& profile, std::string_view section, std::string_view key,
                   std::string_view value, std::string_view file) {
    return profile.WriteString(section, WithCase(key, true), value, file);
}

bool NeedsUnicodeFile(std::span<const std::string> values, const CodePage& codePage) {
    return std::ranges::any_of(
        values, [&](const std::string& value) { return !codePage.Utf8ToAnsi(value); });
}

bool MakeUnicodeFile(FileOperations& files, const CodePage& codePage, const std::string& path) {
    std::optional<std::string> bytes = files.Exists(path) ? files.ReadAll(path) : "";
    if (!bytes) {
        return false;
    }
    const std::string_view view(*bytes);
    if (view.starts_with(kUtf16LeMark) || view.starts_with(kUtf16BeMark)) {
        return true;
    }
    const std::optional<std::string> text = view.starts_with(kUtf8Mark)
                                                ? std::string(view.substr(kUtf8Mark.size()))
                                                : codePage.AnsiToUtf8(view);
    if (!text) {
        return false;
    }
    const std::string unicode = std::string(kUtf16LeMark) + Utf16Bytes(*text, false);
    return ReplaceFileContent(files, path, unicode).done;
}

}  // namespace datrelle
