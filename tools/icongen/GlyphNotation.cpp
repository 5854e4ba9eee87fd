#include "icongen/GlyphNotation.h"

#include <sstream>
#include <stdexcept>
#include <string>

namespace datrelle::icongen {
namespace {

int Coordinate(char digit, std::string_view token) {
    if (digit < '0' || digit > '9') {
        throw std::invalid_argument("bad coordinate in \"" + std::string(token) + "\"");
    }
    return digit - '0';
}

LatticePoint ParsePoint(std::string_view token) {
    if (token.size() != 2) {
        throw std::invalid_argument("a point is two digits, not \"" + std::string(token) + "\"");
    }
    return {Coordinate(token[0], token), Coordinate(token[1], token)};
}

Corner ParseCorner(std::string_view code) {
    if (code == "TL") {
        return Corner::kTopLeft;
    }
    if (code == "TR") {
        return Corner::kTopRight;
    }
    if (code == "BL") {
        return Corner::kBottomLeft;
    }
    if (code == "BR") {
        return Corner::kBottomRight;
    }
    throw std::invalid_argument("unknown corner \"" + std::string(code) + "\"");
}

}  // namespace

Glyph ParseGlyph(int width, std::string_view strokes, std::string_view cuts) {
    Glyph glyph{width, {{}}, {}};
    std::istringstream strokeWords{std::string(strokes)};
    for (std::string word; strokeWords >> word;) {
        if (word == "|") {
            glyph.strokes.emplace_back();
        } else {
            glyph.strokes.back().push_back(ParsePoint(word));
        }
    }
    for (const auto& stroke : glyph.strokes) {
        if (stroke.empty()) {
            throw std::invalid_argument("empty stroke in \"" + std::string(strokes) + "\"");
        }
    }
    std::istringstream cutWords{std::string(cuts)};
    for (std::string word; cutWords >> word;) {
        if (word.size() != 4) {
            throw std::invalid_argument("a cut is a corner and a point, not \"" + word + "\"");
        }
        glyph.cuts.push_back({ParsePoint(std::string_view(word).substr(2)),
                              ParseCorner(std::string_view(word).substr(0, 2))});
    }
    return glyph;
}

}  // namespace datrelle::icongen
