#pragma once
// The app mode Windows was set to (Settings > Personalization > Colors, "Choose your default app
// mode"), read through the documented WinRT class Windows.UI.ViewManagement.UISettings, never
// from the registry.

namespace zarn {

// Whether Windows is set to dark apps: UISettings' foreground colour is a light one. Any failure
// means light: no combase.dll (Windows 7), no IUISettings3 (Windows 8.1), a class that is not
// registered (Wine 8), or a refused call. combase.dll is loaded at the first call, from the system folder,
// and kept; a WinRT apartment is entered for the call's length only, unless the thread has one.
bool systemUsesDarkApps();

}  // namespace zarn
