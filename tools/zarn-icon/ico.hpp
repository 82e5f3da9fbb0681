#pragma once
// Windows icon files (.ico): a directory of images, each kept as Windows loads it best.

#include <cstdint>
#include <vector>

#include "tools/zarn-icon/icon_drawing.hpp"

namespace zarn {

// The whole .ico file of `images`, in their order: those of 256 pixels as PNG, every other one
// as a 32-bit bottom-up bitmap with alpha, followed by its 1-bit mask (set where alpha is 0)
// for programs that ignore alpha. Throws std::invalid_argument for an image wider than 256.
std::vector<std::uint8_t> icoFile(const std::vector<Image>& images);

}  // namespace zarn
