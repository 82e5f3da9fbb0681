// The icon that zarn.exe carries (window/win32/zarn.ico, committed) against its drawing.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "tools/zarn-icon/ico.hpp"
#include "tools/zarn-icon/icon_drawing.hpp"

namespace zarn {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes committedIcon() {
    std::ifstream in(ZARN_ICON_FILE, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The unsigned number in `count` bytes at `at`, least significant byte first or last.
std::uint32_t little(const Bytes& b, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = count; i-- > 0;) value = value << 8 | b.at(at + i);
    return value;
}
std::uint32_t little16(const Bytes& b, std::size_t at) { return little(b, at, 2); }
std::uint32_t little32(const Bytes& b, std::size_t at) { return little(b, at, 4); }
std::uint32_t big32(const Bytes& b, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) value = value << 8 | b.at(at + i);
    return value;
}

TEST(IconFile, the_committed_icon_is_what_the_drawing_gives) {
    EXPECT_TRUE(committedIcon() == icoFile(drawIconSizes()))
        << ZARN_ICON_FILE << " is not what tools/zarn-icon draws: run tools/make-icon and commit it";
}

TEST(IconFile, holds_exactly_the_eight_sizes_each_a_32_bit_image_of_its_size_in_turn) {
    // The sizes Windows asks for: small and big icons from 100 % to 200 %, and Explorer's largest.
    const std::vector<std::uint32_t> sizes{16, 20, 24, 32, 40, 48, 64, 256};
    const Bytes file = committedIcon();
    ASSERT_GE(file.size(), 6u);
    EXPECT_EQ(little16(file, 0), 0u);
    EXPECT_EQ(little16(file, 2), 1u);  // an icon
    ASSERT_EQ(little16(file, 4), sizes.size());
    std::size_t next = 6 + 16 * sizes.size();  // each image right after the one before
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        const std::uint32_t side = sizes[i];
        SCOPED_TRACE(side);
        const std::size_t entry = 6 + 16 * i;
        EXPECT_EQ(file[entry] == 0 ? 256u : file[entry], side);
        EXPECT_EQ(file[entry + 1] == 0 ? 256u : file[entry + 1], side);
        EXPECT_EQ(little16(file, entry + 4), 1u);  // planes
        EXPECT_EQ(little16(file, entry + 6), 32u);
        const std::size_t length = little32(file, entry + 8), at = little32(file, entry + 12);
        EXPECT_EQ(at, next);
        ASSERT_LE(at + length, file.size());
        next = at + length;
        if (side == 256) {
            const Bytes signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
            const auto start = file.begin() + static_cast<std::ptrdiff_t>(at);
            EXPECT_TRUE(Bytes(start, start + 16) == signature);
            EXPECT_EQ(big32(file, at + 16), side);
            EXPECT_EQ(big32(file, at + 20), side);
            EXPECT_EQ(little16(file, at + 24), 8u | 6u << 8);  // 8 bits, RGBA
        } else {
            const std::size_t maskRow = (side + 31) / 32 * 4;
            EXPECT_EQ(length, 40 + side * side * 4 + side * maskRow);
            EXPECT_EQ(little32(file, at), 40u);
            EXPECT_EQ(little32(file, at + 4), side);
            EXPECT_EQ(little32(file, at + 8), 2 * side);  // the colours and the mask
            EXPECT_EQ(little16(file, at + 14), 32u);
            EXPECT_EQ(little32(file, at + 16), 0u);  // not compressed
        }
    }
    EXPECT_EQ(next, file.size());
}

}  // namespace
}  // namespace zarn
