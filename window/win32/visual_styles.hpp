#pragma once
// Visual styles for one window: they draw a control in the theme's own colours and ignore the
// colours a program gives it.

#include <windows.h>

namespace zarn {

// Turns visual styles off for `window` alone (SetWindowTheme with empty names), or gives it back
// the styles the rest of the program has. uxtheme.dll is loaded at the first call, from the
// system folder, and kept; where it is missing nothing changes.
void useVisualStyles(HWND window, bool on);

}  // namespace zarn
