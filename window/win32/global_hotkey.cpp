#include "window/win32/global_hotkey.hpp"

#include <string>

#include "window/utf16.hpp"
#include "window/win32/message_texts.hpp"
#include "window/win32/main_window.hpp"

namespace zarn {

bool registerHotkey(HWND window, const Hotkey& hotkey) {
    return RegisterHotKey(window, mainWindowHotkeyId, hotkey.modifiers | MOD_NOREPEAT, hotkey.virtualKey) != FALSE;
}

void unregisterHotkey(HWND window) { UnregisterHotKey(window, mainWindowHotkeyId); }

void warnHotkeyInUse(HWND window, const Hotkey& hotkey) {
    const std::wstring text = utf16FromUtf8(shownText({MessageId::HotkeyInUse, {hotkeyText(hotkey)}}));
    MessageBoxW(window, text.c_str(), mainWindowTitle, MB_ICONWARNING | MB_OK);
}

void onHotkey(HWND window, HWND& cameFrom) {
    if (GetForegroundWindow() == window && !IsIconic(window)) {
        ShowWindow(window, SW_MINIMIZE);
        if (GetForegroundWindow() == window && IsWindowVisible(cameFrom) && !IsIconic(cameFrom)) {
            SetForegroundWindow(cameFrom);
        }
        return;
    }
    if (HWND front = GetForegroundWindow(); front != window) cameFrom = front;
    if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
    // Windows lets the program that received the hotkey take the foreground.
    SetForegroundWindow(window);
}

}  // namespace zarn
