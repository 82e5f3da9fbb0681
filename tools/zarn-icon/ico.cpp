#include "tools/zarn-icon/ico.hpp"

#include <cstddef>
#include <stdexcept>

#include "tools/zarn-icon/png.hpp"

namespace zarn {

namespace {

using Bytes = std::vector<std::uint8_t>;

void append16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void append32(Bytes& out, std::uint32_t value) {
    append16(out, value & 0xFFFF);
    append16(out, value >> 16);
}

// BITMAPINFOHEADER, the colour rows and the mask rows, both bottom-up. The height counts both.
Bytes bitmapEntry(const Image& image) {
    const auto side = static_cast<std::size_t>(image.size);
    const std::size_t maskRowBytes = (side + 31) / 32 * 4;
    Bytes out;
    append32(out, 40);
    append32(out, static_cast<std::uint32_t>(side));
    append32(out, static_cast<std::uint32_t>(2 * side));
    append16(out, 1);   // planes
    append16(out, 32);  // bits per pixel
    append32(out, 0);   // BI_RGB
    append32(out, static_cast<std::uint32_t>(side * side * 4 + side * maskRowBytes));
    for (int unused = 0; unused < 4; ++unused) append32(out, 0);  // resolution, palette
    for (std::size_t row = side; row-- > 0;) {
        for (std::size_t column = 0; column < side; ++column) {
            const std::uint8_t* pixel = &image.rgba[(row * side + column) * 4];
            out.insert(out.end(), {pixel[2], pixel[1], pixel[0], pixel[3]});
        }
    }
    for (std::size_t row = side; row-- > 0;) {
        Bytes mask(maskRowBytes, 0);
        for (std::size_t column = 0; column < side; ++column) {
            if (image.rgba[(row * side + column) * 4 + 3] == 0)
                mask[column / 8] = static_cast<std::uint8_t>(mask[column / 8] | 0x80 >> column % 8);
        }
        out.insert(out.end(), mask.begin(), mask.end());
    }
    return out;
}

}  // namespace

std::vector<std::uint8_t> icoFile(const std::vector<Image>& images) {
    std::vector<Bytes> entries;
    for (const Image& image : images) {
        if (image.size < 1 || image.size > 256) throw std::invalid_argument("an icon image is 1 to 256 pixels wide");
        entries.push_back(image.size == 256 ? pngFile(image) : bitmapEntry(image));
    }
    Bytes out;
    append16(out, 0);  // reserved
    append16(out, 1);  // an icon, not a cursor
    append16(out, static_cast<std::uint32_t>(images.size()));
    std::size_t offset = 6 + 16 * images.size();
    for (std::size_t i = 0; i < images.size(); ++i) {
        const auto side = static_cast<std::uint8_t>(images[i].size);  // 256 is written as 0
        out.insert(out.end(), {side, side, 0, 0});  // no palette; reserved
        append16(out, 1);   // planes
        append16(out, 32);  // bits per pixel
        append32(out, static_cast<std::uint32_t>(entries[i].size()));
        append32(out, static_cast<std::uint32_t>(offset));
        offset += entries[i].size();
    }
    for (const Bytes& entry : entries) out.insert(out.end(), entry.begin(), entry.end());
    return out;
}

}  // namespace zarn
