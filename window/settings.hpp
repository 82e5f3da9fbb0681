#pragma once
// The main window's settings: font face, font height and line width, with their defaults and
// the optional zarn.ini that changes them. Pure logic: no window system is needed.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zarn {

inline constexpr std::string_view settingsFileName = "zarn.ini";

struct WindowSettings {
    std::string faceName;       // empty: the font mapper chooses
    std::int32_t fontHeight;    // logical-font height: negative = character height in pixels
    std::int32_t clientWidth;   // pixels; negative counts back from the work area's width
};

// Century, 14 points at `dpi` (truncated), 500 pixels wide.
WindowSettings defaultSettings(std::int32_t dpi);

// Called with each unknown key (stripped, lower-cased) as it is met.
using SettingsWarning = std::function<void(std::string_view key)>;

// Applies the lines of a zarn.ini to `settings`, in file order. Throws zarn::Exception
// subclasses for a value its conversion refuses and for invalid UTF-8.
void loadSettings(std::string_view fileBytes, std::int32_t dpi, WindowSettings& settings,
                  const SettingsWarning& warn);

// Whether a "font" item or "size" value counts as a number.
bool isNumericText(std::string_view text);

// The logical-font height for a size in points: -round(|size| * dpi / 72), halves away from
// zero, in extended precision.
std::int32_t fontHeightForPoints(long double size, std::int32_t dpi);

// The client width in pixels: a negative width counts back from the work area; a result of
// zero or less falls back to 500.
std::int32_t resolveClientWidth(std::int32_t clientWidth, std::int32_t workAreaWidth);

}  // namespace zarn
