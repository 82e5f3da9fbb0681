#pragma once
// ZARN's icon: a rounded blue tile holding a division sign, an amber fraction bar between two
// white dots. Each size is drawn from a layout of its own whose edges fall on whole pixels, so
// that the small sizes are sharp instead of a large drawing scaled down.

#include <array>
#include <cstdint>
#include <vector>

namespace zarn {

// The sizes drawn, in pixels: Windows' small and big icons from 100 % to 200 % scale, and the
// largest Explorer shows.
inline constexpr std::array<int, 8> iconSizes{16, 20, 24, 32, 40, 48, 64, 256};

// A square picture: rows top to bottom, each pixel red, green, blue and alpha. The colour is not
// premultiplied by alpha, and is 0 where alpha is 0.
struct Image {
    int size = 0;
    std::vector<std::uint8_t> rgba;  // size * size * 4 bytes
};

// The icon at `size`, one of iconSizes; throws std::invalid_argument for any other size.
Image drawIcon(int size);

// The icon at every one of iconSizes, in that order.
std::vector<Image> drawIconSizes();

}  // namespace zarn
