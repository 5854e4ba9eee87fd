#include "viewer/TextFileLoader.h"

namespace datrelle {
namespace {

std::string JoinTextLines(std::string_view bytes) {
    // One pass and one growing buffer: a notes file of many megabytes must not be
    // copied once per line.
    std::string text;
    text.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\r', pos);
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        const std::string_view line = bytes.substr(pos, end - pos);
        if (!text.empty()) {
            text += "\r\n";
        }
        text += line;

        pos = end;
        if (pos < bytes.size()) {
            ++pos;  // the CR
            if (pos < bytes.size() && bytes[pos] == '\n') {
                ++pos;
            }
        }
    }
    return text;
}

}  // namespace

std::optional<std::string> LoadTextFile(const Files& files, std::string_view path,
                                        std::string& textFileDir) {
    if (path.empty() || !files.IsOrdinaryFile(path)) {
        return std::nullopt;
    }
    const std::optional<std::string> bytes = files.ReadAll(path);
    if (!bytes) {
        // Locked or not readable: the box and the file it saves to stay as they were,
        // rather than pointing "Save Changes" at a file whose text was never shown.
        return std::nullopt;
    }
    std::string text = JoinTextLines(*bytes);
    textFileDir = path;
    return text;
}

}  // namespace datrelle
