// zarn-icon: draws ZARN's icon and writes it as the .ico that zarn.exe carries, or one of its
// sizes as a PNG file (enlarged, to look at its pixels). tools/make-icon runs it.

#include <algorithm>
#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "tools/zarn-icon/ico.hpp"
#include "tools/zarn-icon/icon_drawing.hpp"
#include "tools/zarn-icon/png.hpp"

namespace {

constexpr std::string_view usage =
    "usage: zarn-icon ICON.ico\n"
    "       zarn-icon --png SIZE SCALE FILE.png\n"
    "\n"
    "Writes ZARN's icon with all its sizes (16, 20, 24, 32, 40, 48, 64 and 256 pixels) to\n"
    "ICON.ico, or with --png its size SIZE to FILE.png, each pixel drawn as a square of\n"
    "SCALE x SCALE pixels (1 to 16).\n";

bool writeFile(const char* path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out) return true;
    std::cerr << "zarn-icon: cannot write " << path << '\n';
    return false;
}

bool parseInt(const char* text, int& value) {
    const char* end = text + std::strlen(text);
    const auto [stop, error] = std::from_chars(text, end, value);
    return error == std::errc{} && stop == end;
}

// Each pixel of `image` as a square of scale x scale pixels.
zarn::Image enlarged(const zarn::Image& image, int scale) {
    const auto side = static_cast<std::size_t>(image.size), factor = static_cast<std::size_t>(scale);
    zarn::Image big{image.size * scale, std::vector<std::uint8_t>(side * side * factor * factor * 4)};
    auto out = big.rgba.begin();
    for (std::size_t row = 0; row < side * factor; ++row) {
        for (std::size_t column = 0; column < side * factor; ++column) {
            const std::size_t from = (row / factor * side + column / factor) * 4;
            const auto pixel = image.rgba.begin() + static_cast<std::ptrdiff_t>(from);
            out = std::copy(pixel, pixel + 4, out);
        }
    }
    return big;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 2 && argv[1][0] != '-') return writeFile(argv[1], zarn::icoFile(zarn::drawIconSizes())) ? 0 : 1;
        int size = 0, scale = 0;
        if (argc == 5 && std::string_view(argv[1]) == "--png" && parseInt(argv[2], size) && parseInt(argv[3], scale) &&
            scale >= 1 && scale <= 16)
            return writeFile(argv[4], zarn::pngFile(enlarged(zarn::drawIcon(size), scale))) ? 0 : 1;
        std::cerr << usage;
        return 2;
    } catch (const std::invalid_argument& error) {
        std::cerr << "zarn-icon: " << error.what() << '\n';
        return 2;
    }
}
