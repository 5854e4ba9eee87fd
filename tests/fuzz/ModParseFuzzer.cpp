#include "FuzzInput.h"
#include "launch/ModParse.h"

// The two halves of a path always make the path again, and the name never contains a
// backslash except as its last character.

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace datrelle;
    using namespace datrelle::fuzz;
    const std::string_view path = AsText(data, size);

    const std::string name = GetFileName(path);
    const std::string folder = FolderPart(path);
    Require(folder + name == path, "folder and name make the path");

    const bool bareName =
        path.size() < 2 || path.substr(0, path.size() - 1).find('\\') == std::string_view::npos;
    if (bareName) {
        Require(name == path && folder.empty(), "a bare name is returned whole");
        return 0;
    }
    Require(folder.ends_with('\\'), "the folder keeps its trailing backslash");
    Require(!name.empty(), "the last character always belongs to the name");
    Require(std::string_view(name).substr(0, name.size() - 1).find('\\') == std::string_view::npos,
            "the name starts after the last backslash");
    return 0;
}
