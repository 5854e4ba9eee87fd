#include "PictureMeasures.h"

#include <algorithm>

namespace datrelle::icongen::testing {
namespace {

bool IsInk(const Picture& picture, Rgb ink, int x, int y) {
    return x >= 0 && y >= 0 && x < picture.width && y < picture.height && picture.At(x, y) == ink;
}

int Run(const Picture& picture, Rgb ink, int x, int y, int dx, int dy) {
    int length = 1;
    for (int i = 1; IsInk(picture, ink, x - i * dx, y - i * dy); ++i) {
        ++length;
    }
    for (int i = 1; IsInk(picture, ink, x + i * dx, y + i * dy); ++i) {
        ++length;
    }
    return length;
}

}  // namespace

Box InkBox(const Picture& picture, Rgb ink) {
    int left = picture.width;
    int top = picture.height;
    int right = -1;
    int bottom = -1;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            if (picture.At(x, y) == ink) {
                left = std::min(left, x);
                top = std::min(top, y);
                right = std::max(right, x);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? Box{} : Box{left, top, right - left + 1, bottom - top + 1};
}

int StrokeThickness(const Picture& picture, Rgb ink, int x, int y) {
    return std::min(Run(picture, ink, x, y, 1, 0), Run(picture, ink, x, y, 0, 1));
}

bool HasInkedSquare(const Picture& picture, Rgb ink, int side) {
    for (int top = 0; top + side <= picture.height; ++top) {
        for (int left = 0; left + side <= picture.width; ++left) {
            bool inked = true;
            for (int i = 0; i < side * side && inked; ++i) {
                inked = picture.At(left + i % side, top + i / side) == ink;
            }
            if (inked) {
                return true;
            }
        }
    }
    return false;
}

int InkColumnGroups(const Picture& picture, Rgb ink) {
    int groups = 0;
    bool previousHasInk = false;
    for (int x = 0; x < picture.width; ++x) {
        bool hasInk = false;
        for (int y = 0; y < picture.height; ++y) {
            hasInk = hasInk || picture.At(x, y) == ink;
        }
        groups += hasInk && !previousHasInk ? 1 : 0;
        previousHasInk = hasInk;
    }
    return groups;
}

}  // namespace datrelle::icongen::testing
