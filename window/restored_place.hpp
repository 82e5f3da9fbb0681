#pragma once
// Where a window kept in zarn.state opens again, given the monitors there are now. Pure logic:
// the monitors' work areas and the window's frame come in as values.

#include <cstdint>
#include <optional>
#include <span>

#include "window/kept_place.hpp"

namespace zarn {

// A rectangle in screen pixels, right and bottom outside it, as Windows' RECT.
struct ScreenRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

// The kept top-left corner, where the work areas (each monitor's screen less its taskbar) hold
// the window's whole title bar there: the rows between the outer top and the line, less a side
// border, across the line's width, at the kept resolution. `frame` is the outer rectangle of an
// empty client area at that resolution, as AdjustWindowRectEx gives it (left and top negative).
// The title bar may lie across monitors side by side, but not partly off every one. Empty where
// it is not held: the window then opens where Windows puts a new one.
std::optional<ScreenPoint> placeToRestore(const KeptPlace& kept, const ScreenRect& frame,
                                          std::span<const ScreenRect> workAreas);

// The kept width of the line at `dpi`, the window's resolution where it opens: scaled from the
// kept resolution, halves rounded up, at least 1 and at most 2^31 - 1 pixels.
std::int32_t clientWidthAt(const KeptPlace& kept, std::int32_t dpi);

}  // namespace zarn
