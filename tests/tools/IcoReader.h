#pragma once

#include <cstdint>
#include <vector>

#include "icongen/Palette.h"

// Reads .ico files apart from the encoder, so that the tests see the files the way Windows reads
// them rather than the way the generator meant to write them.
namespace datrelle::icongen::testing {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;  // top row first
    bool maskEmpty = true;

    Rgb At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// A little-endian field of `size` bytes; throws std::out_of_range past the end of the file.
std::uint32_t ReadLe(const std::vector<std::uint8_t>& bytes, std::size_t at, int size);

// Every image in the file, decoded through its directory entry, header and palette. Only 4-bit
// bitmaps are understood.
std::vector<Picture> ReadPictures(const std::vector<std::uint8_t>& bytes);

}  // namespace datrelle::icongen::testing
