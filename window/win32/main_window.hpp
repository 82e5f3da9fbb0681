#pragma once
// The main window: one line of text high, holding nothing but the input line. A Unicode window
// with a Unicode message loop, so typed characters arrive as UTF-16.

#include <windows.h>

namespace zarn {

inline constexpr const wchar_t* mainWindowClass = L"ZARN";
inline constexpr const wchar_t* mainWindowTitle = L"ZARN";

// The system menu's item "Always on top", just above Close: it keeps the window above every
// window that is not on top, and its check mark says whether it does. A system command's low four
// bits are the system's.
inline constexpr UINT alwaysOnTopCommand = 0x0010;

// Registers the class "ZARN" (a second registration changes nothing).
void registerMainWindowClass(HINSTANCE instance);

// Creates the main window with its content, not yet shown. The settings are read from zarn.ini
// in the current directory. Returns null when creation failed; an exception raised meanwhile
// is then pending (pending_exception.hpp).
HWND createMainWindow(HINSTANCE instance);

// Waits for messages and dispatches them until the quit message; returns its wParam.
int runMessageLoop();

// Registers, creates, shows and runs the main window; returns 0, the program's exit code, whatever
// the quit message carries.
// Rethrows, once the loop has ended, an exception caught in a window procedure.
int runMainWindow(HINSTANCE instance, int showCommand);

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace zarn
