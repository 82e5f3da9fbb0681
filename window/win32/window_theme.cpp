#include "window/win32/window_theme.hpp"

#include <string_view>

#include "window/win32/input_line.hpp"
#include "window/win32/system_appearance.hpp"

namespace zarn {

namespace {

COLORREF colorRef(Rgb colour) { return RGB(colour.red, colour.green, colour.blue); }

Palette paletteNow(Theme theme) {
    SystemAppearance& system = systemAppearance();
    const bool highContrast = system.highContrast();
    // WinRT is asked only when its answer decides: it is the slowest question.
    const bool darkApps = theme == Theme::Auto && !highContrast && system.darkApps();
    const SystemColours colours{system.colour(COLOR_WINDOW), system.colour(COLOR_WINDOWTEXT),
                                system.colour(COLOR_BTNFACE), system.colour(COLOR_INFOBK),
                                system.colour(COLOR_INFOTEXT)};
    return choosePalette(theme, darkApps, highContrast, colours);
}

}  // namespace

void WindowTheme::apply(HWND window, HWND line, Theme theme) {
    window_ = window;
    line_ = line;
    theme_ = theme;
    give(paletteNow(theme));
}

void WindowTheme::update() {
    if (!window_) return;
    const Palette palette = paletteNow(theme_);
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
