#pragma once
// The main window's settings: font face, font height and line width, with their defaults and
// the optional zarn.ini that changes them. Pure logic: no window system is needed.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "window/lower_case.hpp"
#include "window/number_conversion.hpp"

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

// Applies the lines of a zarn.ini to `settings`, in file order; a UTF-8 byte-order mark at the
// very start of the file is skipped (anywhere else it is text like any other). Throws ConversionException or
// OverflowException (window/number_conversion.hpp) for a number its conversion refuses and
// Utf8Exception (window/lower_case.hpp) for invalid UTF-8 in a key, a "font" item or a "size"
// value; `settings` then keeps what was applied before the refused text.
void loadSettings(std::string_view fileBytes, std::int32_t dpi, WindowSettings& settings,
                  const SettingsWarning& warn);

// Whether a "font" item or "size" value counts as a number; reads a lower-cased copy, so it
// throws Utf8Exception like lowerCase().
bool isNumericText(std::string_view text);

// The logical-font height for a size in points: -round(|size| * dpi / 72), halves away from
// zero, in extended precision. Empty when that is not finite or does not fit 32 bits (a size
// of inf, nan or 1e+300): the caller keeps the height it had.
std::optional<std::int32_t> fontHeightForPoints(long double size, std::int32_t dpi);

// The client width in pixels: a negative width counts back from the work area; a result of
// zero or less falls back to 500.
std::int32_t resolveClientWidth(std::int32_t clientWidth, std::int32_t workAreaWidth);

}  // namespace zarn
