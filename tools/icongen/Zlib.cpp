#include "icongen/Zlib.h"

#include <algorithm>
#include <array>

namespace datrelle::icongen {
namespace {

constexpr int kMinMatch = 3;
constexpr int kMaxMatch = 258;
constexpr std::size_t kWindow = 32768;
// Candidates tried per position; the row above is among the first few in these pictures, and the
// limit keeps the 256-pixel image quick.
constexpr int kMaxCandidates = 64;
constexpr std::size_t kHashBits = 15;
constexpr int kEndOfBlock = 256;

// Deflate packs numbers from the least significant bit of each byte up, but Huffman codes from
// their most significant bit.
class BitWriter {
  public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void Bits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) {
            if (used_ == 0) {
                out_.push_back(0);
            }
            out_.back() = static_cast<std::uint8_t>(out_.back() | ((value >> i) & 1) << used_);
            used_ = (used_ + 1) % 8;
        }
    }
    void Code(std::uint32_t code, int length) {
        for (int i = length - 1; i >= 0; --i) {
            Bits(code >> i, 1);
        }
    }

  private:
    std::vector<std::uint8_t>& out_;
    int used_ = 0;  // bits already taken in the last byte
};

// A length or distance code covers base .. base + 2^extraBits - 1.
struct CodeRange {
    int base;
    int extraBits;
};

// Length codes 257 to 285: eight of one length, then four per extra bit; 285 is 258 alone.
constexpr auto kLengths = [] {
    std::array<CodeRange, 29> ranges{};
    int base = kMinMatch;
    for (std::size_t i = 0; i + 1 < ranges.size(); ++i) {
        ranges[i] = {base, i < 8 ? 0 : static_cast<int>(i) / 4 - 1};
        base += 1 << ranges[i].extraBits;
    }
    ranges.back() = {kMaxMatch, 0};
    return ranges;
}();

// Distance codes 0 to 29: four of one distance, then two per extra bit.
constexpr auto kDistances = [] {
    std::array<CodeRange, 30> ranges{};
    int base = 1;
    for (std::size_t i = 0; i < ranges.size(); ++i) {
        ranges[i] = {base, i < 4 ? 0 : static_cast<int>(i) / 2 - 1};
        base += 1 << ranges[i].extraBits;
    }
    return ranges;
}();

// The last range that starts at or below `value`, so 258 takes code 285 rather than 284.
template <std::size_t N>
std::uint32_t RangeIndex(const std::array<CodeRange, N>& ranges, int value) {
    std::size_t i = N - 1;
    while (ranges[i].base > value) {
        --i;
    }
    return static_cast<std::uint32_t>(i);
}

// The fixed literal/length code of RFC 1951, section 3.2.6.
void WriteSymbol(BitWriter& bits, std::uint32_t symbol) {
    if (symbol < 144) {
        bits.Code(0x30 + symbol, 8);
    } else if (symbol < 256) {
        bits.Code(0x190 + symbol - 144, 9);
    } else if (symbol < 280) {
        bits.Code(symbol - 256, 7);
    } else {
        bits.Code(0xC0 + symbol - 280, 8);
    }
}

void WriteMatch(BitWriter& bits, int length, int distance) {
    const std::uint32_t lengthCode = RangeIndex(kLengths, length);
    WriteSymbol(bits, 257 + lengthCode);
    bits.Bits(static_cast<std::uint32_t>(length - kLengths[lengthCode].base),
              kLengths[lengthCode].extraBits);
    const std::uint32_t distanceCode = RangeIndex(kDistances, distance);
    bits.Code(distanceCode, 5);  // fixed distance codes are plain 5-bit numbers
    bits.Bits(static_cast<std::uint32_t>(distance - kDistances[distanceCode].base),
              kDistances[distanceCode].extraBits);
}

// Earlier positions by their first three bytes, newest first, for finding matches.
class MatchFinder {
  public:
    explicit MatchFinder(std::span<const std::uint8_t> data)
        : data_(data), heads_(std::size_t{1} << kHashBits, -1), previous_(data.size(), -1) {}

    void Insert(std::size_t at) {
        if (at + kMinMatch <= data_.size()) {
            std::ptrdiff_t& head = heads_[Hash(at)];
            previous_[at] = head;
            head = static_cast<std::ptrdiff_t>(at);
        }
    }

    struct Match {
        int length = 0;
        int distance = 0;
    };

    // The longest earlier match for the bytes at `at`; the nearest wins a tie.
    Match Longest(std::size_t at) const {
        Match best;
        if (at + kMinMatch > data_.size()) {
            return best;
        }
        const std::size_t limit = std::min(data_.size() - at, std::size_t{kMaxMatch});
        std::ptrdiff_t candidate = heads_[Hash(at)];
        for (int tries = 0; candidate >= 0 && at - static_cast<std::size_t>(candidate) <= kWindow &&
                            tries < kMaxCandidates;
             ++tries) {
            const auto from = static_cast<std::size_t>(candidate);
            std::size_t length = 0;
            while (length < limit && data_[from + length] == data_[at + length]) {
                ++length;
            }
            if (static_cast<int>(length) > best.length) {
                best = {static_cast<int>(length), static_cast<int>(at - from)};
            }
            candidate = previous_[from];
        }
        return best.length >= kMinMatch ? best : Match{};
    }

  private:
    std::size_t Hash(std::size_t at) const {
        const std::size_t key = std::size_t{data_[at]} << 10 ^ std::size_t{data_[at + 1]} << 5 ^
                                std::size_t{data_[at + 2]};
        return key & ((std::size_t{1} << kHashBits) - 1);
    }

    std::span<const std::uint8_t> data_;
    std::vector<std::ptrdiff_t> heads_;
    std::vector<std::ptrdiff_t> previous_;
};

}  // namespace

std::uint32_t Adler32(std::span<const std::uint8_t> data) {
    constexpr std::uint32_t kModulus = 65521;
    std::uint32_t low = 1;
    std::uint32_t high = 0;
    for (const std::uint8_t byte : data) {
        low = (low + byte) % kModulus;
        high = (high + low) % kModulus;
    }
    return high << 16 | low;
}

std::vector<std::uint8_t> ZlibCompress(std::span<const std::uint8_t> data) {
    // Deflate with a 32 KB window, no preset dictionary; 0x7801 is a multiple of 31 as required.
    std::vector<std::uint8_t> out = {0x78, 0x01};
    BitWriter bits(out);
    bits.Bits(1, 1);  // the final block
    bits.Bits(1, 2);  // compressed with the fixed codes
    MatchFinder finder(data);
    for (std::size_t at = 0; at < data.size();) {
        const MatchFinder::Match match = finder.Longest(at);
        const std::size_t taken = match.length > 0 ? static_cast<std::size_t>(match.length) : 1;
        if (match.length > 0) {
            WriteMatch(bits, match.length, match.distance);
        } else {
            WriteSymbol(bits, data[at]);
        }
        for (const std::size_t end = at + taken; at < end; ++at) {
            finder.Insert(at);
        }
    }
    WriteSymbol(bits, kEndOfBlock);
    const std::uint32_t checksum = Adler32(data);
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(checksum >> shift));
    }
    return out;
}

}  // namespace datrelle::icongen
