#include "launch/ModParse.h"

namespace datrelle {

std::string GetFileName(std::string_view path) {
    if (path.size() < 2) {
        return std::string(path);
    }
    // The search starts before the last character: that one belongs to the name.
    const auto slash = path.rfind('\\', path.size() - 2);
    if (slash == std::string_view::npos) {
        return std::string(path);
    }
    return std::string(path.substr(slash + 1));
}

std::string FolderPart(std::string_view path) {
    return std::string(path.substr(0, path.size() - GetFileName(path).size()));
}

}  // namespace datrelle
