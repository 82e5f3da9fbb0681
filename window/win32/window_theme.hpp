#pragma once
// The main window's colours: the palette (window/theme.hpp) chosen for its "theme" setting and
// the system's appearance as systemAppearance() tells it, and the brushes that paint it. Given
// before the window is first shown, and again whenever the system's appearance changes.

#include <windows.h>

#include "window/theme.hpp"
#include "window/win32/handles.hpp"

namespace zarn {

class WindowTheme {
public:
    // Chooses the palette for `theme` and gives it to `window`: its background, the input line
    // `line`, the line's tip and the title bar (made dark only for the dark palette). The app
    // mode is asked only where it decides: for Auto without high contrast.
    void apply(HWND window, HWND line, Theme theme);

    // The system's colours, app mode or high contrast changed: chooses again and, if the palette
    // is another, gives it and repaints the window, its frame and the line. The line's text,
    // selection and focus stay. Does nothing before apply().
    void update();

    // The answer to WM_CTLCOLOREDIT from the line: its colours set on `dc` and the brush of its
    // background, which this object owns; null before apply().
    HBRUSH colourLine(HDC dc) const;

    // The answer to WM_ERASEBKGND: paints the client area; false before apply().
    bool eraseBackground(HDC dc) const;

private:
    void give(const Palette& palette);

    HWND window_ = nullptr;
    HWND line_ = nullptr;
    Theme theme_ = Theme::Auto;
    Palette palette_;
    UniqueBrush windowBrush_;
    UniqueBrush lineBrush_;
    bool darkTitleBar_ = false;  // as last set: a title bar never made dark is left alone
};

// Whether a WM_SETTINGCHANGE concerns the window's colours: the app mode ("ImmersiveColorSet")
// or high contrast.
bool changesAppearance(WPARAM wParam, LPARAM lParam);

}  // namespace zarn
