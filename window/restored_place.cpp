#include "window/restored_place.hpp"

#include <algorithm>
#include <limits>
#include <vector>

namespace zarn {

namespace {

// Coordinates in 64 bits: a kept place and width near the 32-bit limits cannot overflow.
struct WideRect {
    std::int64_t left, top, right, bottom;
};

bool contains(const ScreenRect& area, std::int64_t x, std::int64_t y) {
    return x >= area.left && x < area.right && y >= area.top && y < area.bottom;
}

// Whether every pixel of `rect` lies in some work area. The work areas' edges cut the rectangle
// into cells that each lie wholly inside a work area or wholly outside all of them, so one
// corner of each cell decides it.
bool covered(const WideRect& rect, std::span<const ScreenRect> workAreas) {
    if (rect.left >= rect.right || rect.top >= rect.bottom) return false;
    std::vector<std::int64_t> xs{rect.left, rect.right};
    std::vector<std::int64_t> ys{rect.top, rect.bottom};
    for (const ScreenRect& area : workAreas) {
        for (const std::int64_t x : {std::int64_t{area.left}, std::int64_t{area.right}}) {
            if (x > rect.left && x < rect.right) xs.push_back(x);
        }
        for (const std::int64_t y : {std::int64_t{area.top}, std::int64_t{area.bottom}}) {
            if (y > rect.top && y < rect.bottom) ys.push_back(y);
        }
    }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
        for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
            if (xs[i] == xs[i + 1] || ys[j] == ys[j + 1]) continue;
            const auto holds = [&](const ScreenRect& area) { return contains(area, xs[i], ys[j]); };
            if (std::none_of(workAreas.begin(), workAreas.end(), holds)) return false;
        }
    }
    return true;
}

}  // namespace

std::optional<ScreenPoint> placeToRestore(const KeptPlace& kept, const ScreenRect& frame,
                                          std::span<const ScreenRect> workAreas) {
    const std::int64_t lineLeft = std::int64_t{kept.left} - frame.left;
    const WideRect titleBar{lineLeft, std::int64_t{kept.top} + frame.bottom, lineLeft + kept.clientWidth,
                            std::int64_t{kept.top} - frame.top};
    if (!covered(titleBar, workAreas)) return std::nullopt;
    return ScreenPoint{kept.left, kept.top};
}

std::int32_t clientWidthAt(const KeptPlace& kept, std::int32_t dpi) {
    if (kept.dpi <= 0 || dpi <= 0) return std::max(kept.clientWidth, 1);
    // At most (2^31 - 1)^2 before the division: within 64 bits.
    const std::int64_t scaled = (std::int64_t{kept.clientWidth} * dpi * 2 + kept.dpi) / (std::int64_t{kept.dpi} * 2);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(scaled, 1, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace zarn
