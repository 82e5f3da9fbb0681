#pragma once
// Finds the tip the input line shows beside its main window, from this process or another, and
// where it points against where the control draws its text.

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <string>

#include "window/utf16.hpp"

namespace zarn::testing {

// The visible tooltip window of `mainWindow`'s thread (the tip owns no window), or null when
// none is shown.
inline HWND visibleTipOf(HWND mainWindow) {
    const DWORD thread = GetWindowThreadProcessId(mainWindow, nullptr);
    for (HWND tip = nullptr; (tip = FindWindowExW(nullptr, tip, TOOLTIPS_CLASSW, nullptr)) != nullptr;) {
        if (GetWindowThreadProcessId(tip, nullptr) == thread && IsWindowVisible(tip)) return tip;
    }
    return nullptr;
}

// A window's text in UTF-8 (WM_GETTEXT, which Wine and Windows pass between processes).
inline std::string windowTextOf(HWND window) {
    wchar_t text[512] = L"";
    SendMessageW(window, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    return utf8FromUtf16(text);
}

// Where the control itself draws the boundary before the character at `offset` (UTF-16 units),
// in its client coordinates.
inline long drawnX(HWND control, std::size_t offset) {
    return static_cast<short>(LOWORD(SendMessageW(control, EM_POSFROMCHAR, offset, 0)));
}

// The screen x the tip's stem points at: a tracked balloon's stem starts at its window's left,
// inside the border.
inline long stemX(HWND tip) {
    RECT outer{}, inner{};
    GetWindowRect(tip, &outer);
    GetClientRect(tip, &inner);
    return outer.left + (outer.right - outer.left - inner.right) / 2;
}

// The middle of the text [start, end) as the control draws it, in screen coordinates: halfway
// between the leftmost and the rightmost of the boundaries it draws. The control gives none for
// the end of its text; there the last character (a ")" where this is used) ends one width past
// its start, away from the character before it.
inline long drawnMiddle(HWND control, std::size_t start, std::size_t end) {
    long left = LONG_MAX, right = LONG_MIN;
    for (std::size_t offset = start; offset <= end; ++offset) {
        long x = drawnX(control, offset);
        if (offset >= 2 && offset == static_cast<std::size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0))) {
            const long step = drawnX(control, offset - 1) - drawnX(control, offset - 2);
            HDC dc = GetDC(control);
            HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
            SIZE parenthesis{};
            GetTextExtentPoint32W(dc, L")", 1, &parenthesis);
            SelectObject(dc, previous);
            ReleaseDC(control, dc);
            x = drawnX(control, offset - 1) + (step < 0 ? -parenthesis.cx : parenthesis.cx);
        }
        left = std::min(left, x);
        right = std::max(right, x);
    }
    POINT middle{(left + right) / 2, 0};
    ClientToScreen(control, &middle);
    return middle.x;
}

}  // namespace zarn::testing
