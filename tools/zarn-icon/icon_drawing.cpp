#include "tools/zarn-icon/icon_drawing.hpp"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <string>

namespace zarn {

namespace {

// One size's drawing, in whole pixels. The glyph is centred: its widths and heights are even,
// as every size is, so its edges fall on the pixel grid. The corners are rounded by the radii.
struct Layout {
    int size;
    int inset;       // transparent margin around the tile
    int tileRadius;
    int barWidth;
    int barHeight;
    int barRadius;
    int dot;         // width and height of each dot
    int dotRadius;   // dot / 2 makes it round
    int gap;         // between the bar and each dot
};

// Tuned by eye at each size: below 32 pixels the glyph is square-cornered and a whole number of
// pixels thick; from 40 up the dots are round.
constexpr std::array<Layout, iconSizes.size()> layouts{{
    {16, 0, 3, 10, 2, 0, 2, 0, 2},
    {20, 0, 4, 12, 2, 0, 2, 0, 3},
    {24, 1, 5, 14, 2, 0, 4, 1, 3},
    {32, 1, 6, 18, 4, 0, 4, 1, 3},
    {40, 1, 8, 24, 4, 1, 6, 3, 4},
    {48, 2, 9, 28, 6, 1, 8, 4, 4},
    {64, 2, 12, 38, 8, 2, 10, 5, 6},
    {256, 8, 48, 152, 28, 6, 36, 18, 26},
}};

struct Colour {
    int red, green, blue;
};
constexpr Colour tileTop{58, 110, 226};
constexpr Colour tileBottom{30, 66, 170};
constexpr Colour barColour{255, 186, 32};
constexpr Colour dotColour{255, 255, 255};

// Each pixel is sampled at samplesPerSide x samplesPerSide points. Positions are counted in
// units of 1 / (2 * samplesPerSide) pixel, where every sample point is odd and every pixel edge
// even, so a point never lies on an edge and all arithmetic is exact.
constexpr int samplesPerSide = 16;
constexpr int unitsPerPixel = 2 * samplesPerSide;

// A rectangle with rounded corners, in units; right and bottom are outside it.
struct Shape {
    long long left, top, right, bottom, radius;

    bool contains(long long x, long long y) const {
        const long long dx = x - std::clamp(x, left + radius, right - radius);
        const long long dy = y - std::clamp(y, top + radius, bottom - radius);
        return dx * dx + dy * dy <= radius * radius;
    }
};

Shape shapeOf(int left, int top, int width, int height, int radius) {
    return {static_cast<long long>(left) * unitsPerPixel, static_cast<long long>(top) * unitsPerPixel,
            static_cast<long long>(left + width) * unitsPerPixel, static_cast<long long>(top + height) * unitsPerPixel,
            static_cast<long long>(radius) * unitsPerPixel};
}

const Layout& layoutOf(int size) {
    const auto found = std::find_if(layouts.begin(), layouts.end(), [size](const Layout& l) { return l.size == size; });
    if (found == layouts.end()) throw std::invalid_argument("no icon is drawn at " + std::to_string(size) + " pixels");
    return *found;
}

struct Scene {
    Shape tile, bar, upperDot, lowerDot;
};

Scene sceneOf(const Layout& l) {
    const int middle = l.size / 2;
    const int barTop = middle - l.barHeight / 2;
    const int tileSide = l.size - 2 * l.inset;
    return {shapeOf(l.inset, l.inset, tileSide, tileSide, l.tileRadius),
            shapeOf(middle - l.barWidth / 2, barTop, l.barWidth, l.barHeight, l.barRadius),
            shapeOf(middle - l.dot / 2, barTop - l.gap - l.dot, l.dot, l.dot, l.dotRadius),
            shapeOf(middle - l.dot / 2, barTop + l.barHeight + l.gap, l.dot, l.dot, l.dotRadius)};
}

// The colour at a sample point, or none outside the tile. The tile's gradient runs from its top
// edge to its bottom edge.
std::optional<Colour> colourAt(const Scene& scene, long long x, long long y) {
    if (!scene.tile.contains(x, y)) return std::nullopt;
    if (scene.bar.contains(x, y)) return barColour;
    if (scene.upperDot.contains(x, y) || scene.lowerDot.contains(x, y)) return dotColour;
    const long long along = y - scene.tile.top, span = scene.tile.bottom - scene.tile.top;
    const auto blend = [&](int top, int bottom) { return static_cast<int>(top + (bottom - top) * along / span); };
    return Colour{blend(tileTop.red, tileBottom.red), blend(tileTop.green, tileBottom.green),
                  blend(tileTop.blue, tileBottom.blue)};
}

}  // namespace

Image drawIcon(int size) {
    const Scene scene = sceneOf(layoutOf(size));
    const auto side = static_cast<std::size_t>(size);
    Image image{size, std::vector<std::uint8_t>(side * side * 4)};
    auto out = image.rgba.begin();
    for (long long row = 0; row < size; ++row) {
        for (long long column = 0; column < size; ++column) {
            long long red = 0, green = 0, blue = 0, covered = 0;
            for (long long i = 0; i < samplesPerSide; ++i) {
                for (long long j = 0; j < samplesPerSide; ++j) {
                    const long long x = column * unitsPerPixel + 2 * j + 1, y = row * unitsPerPixel + 2 * i + 1;
                    const auto colour = colourAt(scene, x, y);
                    if (!colour) continue;
                    red += colour->red;
                    green += colour->green;
                    blue += colour->blue;
                    ++covered;
                }
            }
            // The colour is the mean over the covered samples only, so that the tile's edge fades
            // out without darkening; everything rounded to the nearest.
            const auto mean = [covered](long long sum) {
                return static_cast<std::uint8_t>(covered ? (sum + covered / 2) / covered : 0);
            };
            constexpr long long samples = samplesPerSide * samplesPerSide;
            *out++ = mean(red);
            *out++ = mean(green);
            *out++ = mean(blue);
            *out++ = static_cast<std::uint8_t>((covered * 255 + samples / 2) / samples);
        }
    }
    return image;
}

std::vector<Image> drawIconSizes() {
    std::vector<Image> images;
    for (const int size : iconSizes) images.push_back(drawIcon(size));
    return images;
}

}  // namespace zarn
