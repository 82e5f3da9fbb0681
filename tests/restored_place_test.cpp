// Where a kept window opens again: the kept place where the monitors hold its title bar, else
// where Windows puts a new window; the width scaled to the resolution it opens at.

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <vector>

#include "window/restored_place.hpp"

namespace zarn {
namespace {

constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();

// Windows 10's frame at 96 dpi: 31 pixels above the line (the title bar), 8 on the other sides.
constexpr ScreenRect frame{-8, -31, 8, 8};
const ScreenRect primary{0, 0, 1920, 1040};  // 1920 x 1080, the taskbar below

struct PlaceCase {
    const char* name;
    KeptPlace kept;
    std::vector<ScreenRect> workAreas;
    std::int32_t dpiThere;  // the resolution of the monitor the window opens on
    std::optional<ScreenPoint> topLeft;
    std::int32_t clientWidth;
};

const PlaceCase cases[] = {
    {"same monitor", {100, 100, 500, 96}, {primary}, 96, ScreenPoint{100, 100}, 500},
    {"monitor gone", {2000, 100, 500, 96}, {primary}, 96, std::nullopt, 500},
    {"partly off the right edge", {1500, 100, 500, 96}, {primary}, 96, std::nullopt, 500},
    {"title bar held, the line below the work area", {100, 1000, 500, 96}, {primary}, 96, ScreenPoint{100, 1000}, 500},
    {"96 to 144 dpi", {100, 100, 500, 96}, {primary}, 144, ScreenPoint{100, 100}, 750},
    {"96 to 120 dpi, a half rounded up", {100, 100, 502, 96}, {primary}, 120, ScreenPoint{100, 100}, 628},
    {"work area below a taskbar at the top", {100, 50, 500, 96}, {{0, 40, 1920, 1080}}, 96, ScreenPoint{100, 50}, 500},
    {"above a work area that starts at 40", {100, 20, 500, 96}, {{0, 40, 1920, 1080}}, 96, std::nullopt, 500},
    {"on a monitor left of the primary", {-1000, 500, 500, 96}, {primary, {-1280, 0, 0, 984}}, 96,
     ScreenPoint{-1000, 500}, 500},
    {"across two monitors side by side", {1700, 100, 500, 96}, {primary, {1920, 0, 3840, 1040}}, 96,
     ScreenPoint{1700, 100}, 500},
    {"across two monitors, off the shorter one", {1700, 100, 500, 96}, {primary, {1920, 200, 3840, 1040}}, 96,
     std::nullopt, 500},
    {"the largest numbers", {int32Max, int32Max, int32Max, 1}, {primary}, 96, std::nullopt, int32Max},
};

TEST(PlaceToRestore, keeps_the_place_where_the_title_bar_is_held_and_scales_the_width) {
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(placeToRestore(c.kept, frame, c.workAreas), c.topLeft);
        EXPECT_EQ(clientWidthAt(c.kept, c.dpiThere), c.clientWidth);
    }
}

}  // namespace
}  // namespace zarn
