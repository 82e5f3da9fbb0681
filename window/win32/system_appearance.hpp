#pragma once
// Where the window asks the system how to look: the app mode, high contrast, the system's
// colours, and the title bar's darkness. One process-wide seam, so that a test can stand in for
// the system.

#include <windows.h>

#include <chrono>

#include "window/theme.hpp"

namespace zarn {

class SystemAppearance {
public:
    virtual ~SystemAppearance() = default;
    // Starts asking whether Windows is set to dark apps; the answer is posted to `window` as
    // appModeAnsweredMessage (app_mode.hpp). Returns at once.
    virtual void askDarkApps(HWND window) = 0;
    // The latest answer, after waiting at most `patience` for a question under way; false on any
    // failure and while none has come.
    virtual bool darkApps(std::chrono::milliseconds patience) = 0;
    // Whether high contrast is on (SPI_GETHIGHCONTRAST).
    virtual bool highContrast() = 0;
    // The system's colour `index` (COLOR_WINDOW, ...).
    virtual Rgb colour(int index) = 0;
    // Makes the window's title bar dark or not (DWMWA_USE_IMMERSIVE_DARK_MODE).
    virtual void setDarkTitleBar(HWND window, bool dark) = 0;
};

// The seam the windows ask: the system itself unless a stand-in was put in its place.
SystemAppearance& systemAppearance();

// Puts `standIn` in the system's place, or the system back for null. For tests.
void standInForSystemAppearance(SystemAppearance* standIn);

}  // namespace zarn
