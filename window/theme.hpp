#pragma once
// The window's colours: which palette the "theme" setting, the app mode Windows was set to and
// high contrast give. Pure logic: the system's colours come in as values.

#include <cstdint>

namespace zarn {

// zarn.ini's "theme": follow the app mode Windows was set to, or always light, or always dark.
enum class Theme { Auto, Light, Dark };

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Rgb&) const = default;
};

// The system's colours a palette may take: the window's, a button face's and a tooltip's.
struct SystemColours {
    Rgb window;
    Rgb windowText;
    Rgb buttonFace;
    Rgb info;
    Rgb infoText;
};

struct Palette {
    Rgb windowBackground;  // behind the line, seen only before the line paints
    Rgb lineBackground;
    Rgb lineText;
    Rgb tipBackground;
    Rgb tipText;
    // A dark title bar, and the tip drawn without visual styles, which would ignore its colours.
    bool dark = false;
    bool operator==(const Palette&) const = default;
};

// The dark palette, as Windows' own dark apps paint: white text on #202020 (contrast 16.3:1),
// the tip's on #2B2B2B (14.2:1). The selection keeps the system's highlight colours.
inline constexpr Rgb darkBackground{32, 32, 32};
inline constexpr Rgb darkTipBackground{43, 43, 43};
inline constexpr Rgb darkText{255, 255, 255};

// High contrast wins: the system's window and tooltip colours, and no dark title bar. Otherwise
// the dark palette for Dark, and for Auto when Windows is set to dark apps (`darkApps`); else
// the system's colours as a light window has always had them.
Palette choosePalette(Theme theme, bool darkApps, bool highContrast, const SystemColours& system);

}  // namespace zarn
