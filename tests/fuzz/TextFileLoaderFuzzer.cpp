#include <string>
#include <vector>

#include "FakeFiles.h"
#include "FuzzInput.h"
#include "viewer/TextFileLoader.h"

// The loader against a plain model of its line rules: lines end at CR or CR LF, a
// lone LF stays in its line, leading empty lines go, the last line end goes, and the
// lines are joined with CR LF.

namespace datrelle::fuzz {
namespace {

std::string Model(std::string_view bytes) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r') {
            line += bytes[i];
            continue;
        }
        lines.push_back(line);
        line.clear();
        if (i + 1 < bytes.size() && bytes[i + 1] == '\n') {
            ++i;
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    std::string text;
    bool started = false;
    for (const auto& l : lines) {
        if (!started && l.empty()) {
            continue;
        }
        if (started) {
            text += "\r\n";
        }
        text += l;
        started = true;
    }
    return text;
}

}  // namespace
}  // namespace datrelle::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace datrelle;
    using namespace datrelle::fuzz;
    const std::string_view bytes = AsText(data, size);
    constexpr std::string_view kPath = "C:\\Notes\\notes.txt";

    fakes::FakeFiles files;
    files.Add(kPath, bytes);
    std::string textFileDir = "C:\\before.txt";
    const auto text = LoadTextFile(files, kPath, textFileDir);
    Require(text.has_value(), "an ordinary readable file loads");
    Require(textFileDir == kPath, "the loaded file becomes the notes file");
    Require(!text->starts_with("\r\n"), "no line end before the first text");
    Require(text->size() <= 2 * bytes.size(), "joining at most doubles the text");
    for (std::size_t i = 0; i < text->size(); ++i) {
        Require((*text)[i] != '\r' || (i + 1 < text->size() && (*text)[i + 1] == '\n'),
                "every CR is part of a CR LF");
    }
    Require(*text == Model(bytes), "the text follows the line rules");
    return 0;
}
