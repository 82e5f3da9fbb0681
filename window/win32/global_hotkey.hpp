#pragma once
// zarn.ini's hotkey, held by the main window while it lives: pressed anywhere in Windows, it
// brings ZARN to the front, or sends it away when it is in front already.

#include <windows.h>

#include "window/hotkey.hpp"

namespace zarn {

// The identifier of the one hotkey, as WM_HOTKEY's wParam carries it.
inline constexpr int mainWindowHotkeyId = 1;

// Registers `hotkey` for `window`, without repeats while it is held down; false where another
// program (or another ZARN) holds the key already.
bool registerHotkey(HWND window, const Hotkey& hotkey);

void unregisterHotkey(HWND window);

// The box, titled "ZARN" and owned by `window`, that says `hotkey` is in use and ZARN goes on
// without it.
void warnHotkeyInUse(HWND window, const Hotkey& hotkey);

// The hotkey was pressed. When `window` is in front, it is minimised, and the window that was in
// front before it has the focus back: Windows activates the next window in the Z order; where
// nothing was activated (Wine without a window manager), the window in front when the hotkey
// last brought ZARN forward, `cameFrom`, is. Otherwise `window` is restored if minimised and
// brought to the front, where the focus goes to its line (the window hands it on), and
// `cameFrom` is the window that was in front.
void onHotkey(HWND window, HWND& cameFrom);

}  // namespace zarn
