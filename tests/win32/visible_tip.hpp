#pragma once
// Finds the tip the input line shows beside its main window, from this process or another.

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "window/win32/utf16.hpp"

namespace zarn::testing {

// The visible tooltip window owned by `mainWindow`, or null when none is shown.
inline HWND visibleTipOf(HWND mainWindow) {
    for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) != nullptr;) {
        if (GetWindow(tip, GW_OWNER) == mainWindow && IsWindowVisible(tip)) return tip;
    }
    return nullptr;
}

// A window's text in UTF-8 (WM_GETTEXT, which Wine and Windows pass between processes).
inline std::string windowTextOf(HWND window) {
    wchar_t text[512] = L"";
    SendMessageW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return utf8FromUtf16(text);
}

}  // namespace zarn::testing
