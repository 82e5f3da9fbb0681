#pragma once
// The app mode Windows was set to (Settings > Personalization > Colors, "Choose your default app
// mode"), read through the documented WinRT class Windows.UI.ViewManagement.UISettings, never
// from the registry.

namespace zarn {

// Whether Windows is set to dark apps: UISettings' foreground colour is a light one. Any failure
// means light: no combase.dll (Windows 7), no IUISettings3 (Windows 8.1), a class that is not
// registered (Wine 8), or a refused call. It is asked on a thread of its own, in a WinRT
// apartment of that thread's, so that the window's thread never enters one; combase.dll is loaded
// at the first question, from the system folder, and kept. Takes the answer asked ahead, if any.
bool systemUsesDarkApps();

// Asks ahead, while the window is made, for the next systemUsesDarkApps() to take, so that the
// question costs the start nothing where there is a second processor. An answer never taken is
// waited for when this goes.
class AppModeAskedAhead {
public:
    AppModeAskedAhead();
    ~AppModeAskedAhead();
    AppModeAskedAhead(const AppModeAskedAhead&) = delete;
    AppModeAskedAhead& operator=(const AppModeAskedAhead&) = delete;
};

}  // namespace zarn
