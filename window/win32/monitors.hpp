#pragma once
// The monitors attached now, as the places a window may be restored to.

#include <vector>

#include "window/restored_place.hpp"

namespace zarn {

// Each monitor's work area (its screen less the taskbar and docked bars), in screen pixels.
std::vector<ScreenRect> monitorWorkAreas();

}  // namespace zarn
