#pragma once

#include <cmath>

namespace datrelle {

inline constexpr int kTwipsPerInch = 1440;

// Twips to device pixels at a given DPI, to the nearest pixel (halves away from zero,
// as MulDiv does).
inline int TwipsToPixels(double twips, int dpi) {
    return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

inline double PixelsToTwips(int pixels, int dpi) {
    return static_cast<double>(pixels) * kTwipsPerInch / dpi;
}

}  // namespace datrelle
