#include "tools/zarn-icon/png.hpp"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string_view>

namespace zarn {

namespace {

using Bytes = std::vector<std::uint8_t>;

void appendBigEndian32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t crc32(const std::uint8_t* data, std::size_t length) {
    static const auto table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < length; ++i) c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::uint32_t adler32(const Bytes& data) {
    std::uint32_t a = 1, b = 0;
    for (const std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

// Writes deflate's bit stream: fields from the least significant bit, Huffman codes from the most.
class BitWriter {
public:
    explicit BitWriter(Bytes& out) : out_(out) {}

    void bits(std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i) bit((value >> i) & 1);
    }
    void code(std::uint32_t value, int length) {
        for (int i = length - 1; i >= 0; --i) bit((value >> i) & 1);
    }
    // Pads the last byte with zeros.
    void flush() {
        if (count_) out_.push_back(static_cast<std::uint8_t>(pending_));
        pending_ = 0;
        count_ = 0;
    }

private:
    void bit(std::uint32_t b) {
        pending_ |= b << count_;
        if (++count_ == 8) flush();
    }

    Bytes& out_;
    std::uint32_t pending_ = 0;
    int count_ = 0;
};

// A literal byte, the end of the block (256) or a length code (257..285), in the fixed code.
void fixedLiteralOrLength(BitWriter& writer, int symbol) {
    const auto s = static_cast<std::uint32_t>(symbol);
    if (symbol < 144) writer.code(0x30 + s, 8);
    else if (symbol < 256) writer.code(0x190 + s - 144, 9);
    else if (symbol < 280) writer.code(s - 256, 7);
    else writer.code(0xC0 + s - 280, 8);
}

constexpr std::array<int, 29> lengthBase{3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                         31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<int, 29> lengthExtra{0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                          2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<int, 30> distanceBase{1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                           33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                           1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<int, 30> distanceExtra{0, 0, 0, 0, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6,
                                            6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// The index of the last base not above `value`.
template <std::size_t N>
std::size_t codeIndex(const std::array<int, N>& bases, int value) {
    return static_cast<std::size_t>(std::upper_bound(bases.begin(), bases.end(), value) - bases.begin() - 1);
}

void fixedMatch(BitWriter& writer, int length, int distance) {
    const std::size_t l = codeIndex(lengthBase, length);
    fixedLiteralOrLength(writer, 257 + static_cast<int>(l));
    writer.bits(static_cast<std::uint32_t>(length - lengthBase[l]), lengthExtra[l]);
    const std::size_t d = codeIndex(distanceBase, distance);
    writer.code(static_cast<std::uint32_t>(d), 5);
    writer.bits(static_cast<std::uint32_t>(distance - distanceBase[d]), distanceExtra[d]);
}

// A zlib stream of `data`: one deflate block with the fixed codes. At each place it takes the
// longest repeat, if of 3 bytes or more, at one of the distances given; else a literal byte.
Bytes zlibStream(const Bytes& data, const std::array<std::size_t, 3>& distances) {
    Bytes out{0x78, 0x01};  // deflate with a 32 KiB window; no dictionary; check bits
    BitWriter writer(out);
    writer.bits(1, 1);  // the last block
    writer.bits(1, 2);  // fixed Huffman codes
    std::size_t at = 0;
    while (at < data.size()) {
        std::size_t bestLength = 0, bestDistance = 0;
        for (const std::size_t distance : distances) {
            if (distance > at || distance > 32768) continue;
            std::size_t length = 0;
            while (length < 258 && at + length < data.size() && data[at + length] == data[at + length - distance])
                ++length;
            if (length > bestLength) {
                bestLength = length;
                bestDistance = distance;
            }
        }
        if (bestLength >= 3) {
            fixedMatch(writer, static_cast<int>(bestLength), static_cast<int>(bestDistance));
            at += bestLength;
        } else {
            fixedLiteralOrLength(writer, data[at]);
            ++at;
        }
    }
    fixedLiteralOrLength(writer, 256);
    writer.flush();
    appendBigEndian32(out, adler32(data));
    return out;
}

void appendChunk(Bytes& out, std::string_view type, const Bytes& data) {
    appendBigEndian32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    appendBigEndian32(out, crc32(out.data() + typeAt, out.size() - typeAt));
}

}  // namespace

std::vector<std::uint8_t> pngFile(const Image& image) {
    const auto side = static_cast<std::uint32_t>(image.size);
    Bytes header;
    appendBigEndian32(header, side);
    appendBigEndian32(header, side);
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, filters per row, not interlaced

    // Each row is its filter type, 0 (none), then its pixels.
    const std::size_t rowBytes = static_cast<std::size_t>(side) * 4;
    Bytes rows;
    rows.reserve((rowBytes + 1) * side);
    for (std::size_t row = 0; row < side; ++row) {
        rows.push_back(0);
        const auto start = image.rgba.begin() + static_cast<std::ptrdiff_t>(row * rowBytes);
        rows.insert(rows.end(), start, start + static_cast<std::ptrdiff_t>(rowBytes));
    }

    Bytes file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    appendChunk(file, "IHDR", header);
    appendChunk(file, "IDAT", zlibStream(rows, {1, 4, rowBytes + 1}));
    appendChunk(file, "IEND", {});
    return file;
}

}  // namespace zarn
