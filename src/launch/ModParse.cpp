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

PathParts SplitPath(std::string_view path) {
    const auto slash = path.find_last_of("\\/");
    if (slash == std::string_view::npos) {
        return {{}, std::string(path)};
    }
    const bool root = slash == 0 || (slash == 2 && path[1] == ':');
    return {std::string(path.substr(0, root ? slash + 1 : slash)),
            std::string(path.substr(slash + 1))};
}

}  // namespace datrelle
