#pragma once
// The main window's icons: ZARN's icon (resource ZARN_ICON_ID of the window's module), loaded at
// exactly the sizes the system gives small and big icons at the window's resolution, so that the
// title bar, the taskbar and Alt+Tab show the image drawn for that size rather than another one
// scaled. Icons that cannot be loaded leave the window with the class's, or the system's, icon.

#include <windows.h>

#include "window/win32/handles.hpp"

namespace zarn {

// The system's small and big icon sides in pixels (SM_CXSMICON, SM_CXICON) at `dpi`.
struct IconSides {
    int smallSide;
    int bigSide;
};
IconSides iconSidesAt(int dpi);

// Gives the class ZARN's icon at the system's sizes, from its hInstance: shared icons, which the
// system keeps.
void setClassIcons(WNDCLASSEXW& windowClass);

// Owns the icons it gives one window, and destroys each once: when it is replaced, or when this
// object goes (after the window, as nothing may draw a destroyed icon).
class WindowIcons {
public:
    // Loads the icons for `dpi` and makes them the window's small and big icons (WM_SETICON);
    // the ones it gave before are destroyed once the window holds the new ones.
    void setFor(HWND window, int dpi);

private:
    UniqueIcon smallIcon_;
    UniqueIcon bigIcon_;
};

}  // namespace zarn
