#pragma once
// With "remember = yes" in zarn.ini: the main window's place, width and on-top state, kept in
// zarn.state from one run to the next.

#include <windows.h>

#include "window/settings.hpp"
#include "window/win32/kept_place_file.hpp"

namespace zarn {

class WindowPlaceKeeper {
public:
    // Before the window is first shown: finds where zarn.state is, reads it and moves `window` to the kept place,
    // where the monitors now hold its title bar. `dpi` becomes the window's resolution there, the
    // settings' font height is remade for it, and the settings take the kept width (scaled to
    // that resolution) and on-top state, unless zarn.ini gave "size" or "ontop". A missing or
    // damaged file changes nothing.
    void restore(HWND window, WindowSettings& settings, int& dpi);

    // On each change of place or size: the place and width as last seen neither minimised nor
    // maximised, which is what is kept.
    void track(HWND window);

    // Writes the place and width tracked, with `dpi` and `onTop`, into zarn.state; nothing before
    // restore and the first track. A file that cannot be written anywhere is let go: at the window's end there
    // is nobody left to tell.
    void keep(int dpi, bool onTop) const;

private:
    KeptPlaceFiles files_;
    RECT normalPlace_{};
    int normalClientWidth_ = 0;
};

}  // namespace zarn
