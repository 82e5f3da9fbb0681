#include "window/win32/window_theme.hpp"

#include <chrono>
#include <string_view>

#include "window/win32/input_line.hpp"
#include "window/win32/system_appearance.hpp"

namespace zarn {

namespace {

COLORREF colorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

// How long the start waits for the app mode before it shows the window light, to follow the
// answer when it comes: on Windows it comes in a few milliseconds.
constexpr std::chrono::milliseconds startPatience{150};

// Where the app mode decides the palette.
bool appModeDecides(Theme theme) { return theme == Theme::Auto && !systemAppearance().highContrast(); }

Palette paletteNow(Theme theme, std::chrono::milliseconds patience) {
    SystemAppearance& system = systemAppearance();
    const bool highContrast = system.highContrast();
    const bool darkApps = theme == Theme::Auto && !highContrast && system.darkApps(patience);
    const SystemColours colours{system.colour(COLOR_WINDOW), system.colour(COLOR_WINDOWTEXT),
                                system.colour(COLOR_BTNFACE), system.colour(COLOR_INFOBK),
                                system.colour(COLOR_INFOTEXT)};
    return choosePalette(theme, darkApps, highContrast, colours);
}

}  // namespace

void WindowTheme::prepare(HWND window, HWND line, Theme theme) {
    window_ = window;
    line_ = line;
    theme_ = theme;
    // WinRT is asked only where its answer decides: it is the slowest question.
    if (appModeDecides(theme)) systemAppearance().askDarkApps(window);
}

void WindowTheme::apply() {
    if (window_) give(paletteNow(theme_, startPatience));
}

void WindowTheme::appearanceChanged() {
    if (!window_) return;
    if (appModeDecides(theme_)) systemAppearance().askDarkApps(window_);
    update();
}

void WindowTheme::update() {
    if (!window_) return;
    const Palette palette = paletteNow(theme_, std::chrono::milliseconds{0});
    if (palette == palette_ && lineBrush_) return;
    give(palette);
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// The brushes are replaced only once both new ones are made, each old one deleted as it goes;
// without them the window keeps the palette it had.
void WindowTheme::give(const Palette& palette) {
    UniqueBrush windowBrush(CreateSolidBrush(colorRef(palette.windowBackground)));
    UniqueBrush lineBrush(CreateSolidBrush(colorRef(palette.lineBackground)));
    if (!windowBrush || !lineBrush) return;
    windowBrush_ = std::move(windowBrush);
    lineBrush_ = std::move(lineBrush);
    palette_ = palette;
    if (palette.dark != darkTitleBar_) {
        systemAppearance().setDarkTitleBar(window_, palette.dark);
        darkTitleBar_ = palette.dark;
        // Windows 10 may leave a shown title bar in its old colours until the window is activated,
        // unless its frame is drawn anew; a window not yet shown is drawn whole when it is.
        if (IsWindowVisible(window_)) {
            SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        }
    }
    setInputLineTipColours(line_, {colorRef(palette.tipBackground), colorRef(palette.tipText), !palette.dark});
}

HBRUSH WindowTheme::colourLine(HDC dc) const {
    if (!lineBrush_) return nullptr;
    SetTextColor(dc, colorRef(palette_.lineText));
    SetBkColor(dc, colorRef(palette_.lineBackground));
    return lineBrush_.get();
}

bool WindowTheme::eraseBackground(HDC dc) const {
    if (!windowBrush_) return false;
    RECT client{};
    GetClientRect(window_, &client);
    FillRect(dc, &client, windowBrush_.get());
    return true;
}

bool changesAppearance(WPARAM wParam, LPARAM lParam) {
    // A change of a system parameter names it in wParam, and its text may be anything.
    if (wParam != 0) return wParam == SPI_SETHIGHCONTRAST;
    const auto* area = reinterpret_cast<const wchar_t*>(lParam);
    return area != nullptr && std::wstring_view(area) == L"ImmersiveColorSet";
}

}  // namespace zarn
