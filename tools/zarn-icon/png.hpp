#pragma once
// PNG files of images: 8-bit RGBA, not interlaced, compressed by a small deflate encoder (fixed
// Huffman codes, repeats of the byte, pixel or row before) that makes the same bytes every time.

#include <cstdint>
#include <vector>

#include "tools/zarn-icon/icon_drawing.hpp"

namespace zarn {

// The whole PNG file of `image`.
std::vector<std::uint8_t> pngFile(const Image& image);

}  // namespace zarn
