#pragma once
// The app mode Windows was set to (Settings > Personalization > Colors, "Choose your default app
// mode"), read through the documented WinRT class Windows.UI.ViewManagement.UISettings, never
// from the registry.

#include <windows.h>

#include <chrono>

namespace zarn {

// Posted to the window that asked, once an answer has come.
inline constexpr UINT appModeAnsweredMessage = WM_APP + 1;

// Asks whether Windows is set to dark apps (UISettings' foreground colour is a light one), on a
// thread of its own in a WinRT apartment of that thread's, so that the window's thread never
// enters one and never waits longer than it chooses: the answer is posted to `window` as
// appModeAnsweredMessage. Nothing waits for a question still under way when the program ends.
// combase.dll is loaded at the first question, from the system folder, and kept.
void askIfDarkApps(HWND window);

// The latest answer, after waiting at most `patience` for the questions under way. Any failure
// means light: no combase.dll (Windows 7), no IUISettings3 (Windows 8.1), a class that is not
// registered (Wine 8), a refused call, no thread to ask on, or no answer yet.
bool latestDarkApps(std::chrono::milliseconds patience);

}  // namespace zarn
