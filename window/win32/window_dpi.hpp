#pragma once
// A window's resolution, and at a resolution the frame around its client area and the system's
// sizes. In a per-monitor aware program each window has the resolution of the monitor it is on.
// Windows before 10 (version 1607) lack the calls that say so; there the system's resolution,
// frame and sizes stand in, which on a single monitor are the same.

#include <windows.h>

namespace zarn {

// Pixels per logical inch of the monitor `window` is on.
int dpiOfWindow(HWND window);

// Pixels per logical inch of the system: the primary monitor's, where a new window opens.
int dpiOfScreen();

// The outer rectangle of a client rectangle {0, 0, 0, 0} in `window`, its style and extended style
// drawn at `dpi`: left and top negative, right and bottom the frame's other sides.
RECT frameAtDpi(HWND window, int dpi);
// The same for a window of that style and extended style, made or not.
RECT frameAtDpi(DWORD style, DWORD exStyle, int dpi);

// The system metric `index` (GetSystemMetrics' SM_ values) as the system gives it at `dpi`.
int systemMetricAtDpi(int index, int dpi);

}  // namespace zarn
