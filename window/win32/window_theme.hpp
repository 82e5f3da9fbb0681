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
    // Takes the window, its input line `line` and the "theme" setting, and starts asking the app
    // mode where it decides: for Auto without high contrast.
    void prepare(HWND window, HWND line, Theme theme);

    // Chooses the palette and gives it to the window: its background, the input line, the line's
    // tip and the title bar (made dark only for the dark palette). Called once, before the window
    // is first shown; waits for the app mode a little, else gives the light palette, and the
    // answer, when it comes, is followed (update()).
    void apply();

    // The app mode or high contrast changed (WM_SETTINGCHANGE): asks the app mode again where it
    // decides, and updates.
    void appearanceChanged();

    // The system's colours changed, or the app mode was answered: chooses again with the latest
    // answer and, if the palette is another, gives it and repaints the window, its frame, the line
    // and its tip. The line's text, selection and focus stay. Does nothing before prepare().
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
