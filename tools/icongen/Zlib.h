#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace datrelle::icongen {

// A zlib stream (RFC 1950) of `data`, for the image data of PNG files: one deflate block (RFC
// 1951) with the fixed Huffman codes and greedy LZ77 matches, then the Adler-32 of `data`. Flat
// two-colour pictures repeat whole rows, which plain matches already shrink well; dynamic codes
// would save little for a lot more code.
std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> data);

std::uint32_t Adler32(std::span<const std::uint8_t> data);

}  // namespace datrelle::icongen
