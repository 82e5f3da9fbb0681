#pragma once
// The main window's settings: font face, font height, line width, whether it stays on top, its
// theme and how it copies, with their defaults and the optional zarn.ini that changes them. Pure
// logic: no window system is needed.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rational/object.hpp"
#include "window/hotkey.hpp"
#include "window/language.hpp"
#include "window/lower_case.hpp"
#include "window/number_conversion.hpp"
#include "window/theme.hpp"

namespace zarn {

inline constexpr std::string_view settingsFileName = "zarn.ini";
inline constexpr std::int32_t defaultClientWidth = 500;

// The height of the default 14 points at `dpi`: -(14 * dpi / 72), truncated toward zero. In 64
// bits, so that no dpi can overflow the product.
constexpr std::int32_t defaultFontHeight(std::int32_t dpi) {
    return static_cast<std::int32_t>(-std::int64_t{14} * dpi / 72);
}

// How copied text writes decimals: with the locale's decimal separator, or as the line shows them.
enum class CopyNotation { Locale, Line };

// Every field starts at its default, the height at 96 dpi.
struct WindowSettings {
    std::string faceName = "Century";               // empty: the font mapper chooses
    std::int32_t fontHeight = defaultFontHeight(96);  // logical-font height: negative = pixels
    std::int32_t clientWidth = defaultClientWidth;  // pixels; negative counts back from the work area
    bool onTop = false;                             // above every window that is not on top
    Theme theme = Theme::Auto;                      // the app mode Windows was set to
    bool remember = false;                          // keep the window's place in zarn.state at close
    std::optional<Hotkey> hotkey;                   // brings the window forward from anywhere
    // Whether the file gave "size" and "ontop": a kept width or on-top state yields to them.
    bool clientWidthSet = false;
    bool onTopSet = false;
    std::optional<Language> language;               // of its texts; none: the user's display language
    CopyNotation copy = CopyNotation::Locale;
    // The configured sizes in points that can still decide the height at some resolution
    // (fontHeightAt); empty when the file set none.
    std::vector<long double> fontSizes;
};

// A configured value that is none of the words its key takes ("yes" or "no" for "ontop" and
// "remember", "auto", "light" or "dark" for "theme", "auto" or a language's tag for "language",
// "locale" or "line" for "copy").
class ChoiceException : public MessageException {
public:
    explicit ChoiceException(Message shown) : MessageException(std::move(shown)) {}
};

// Century, 14 points at `dpi` (truncated), 500 pixels wide, not on top, the theme automatic,
// copies in the locale's notation.
WindowSettings defaultSettings(std::int32_t dpi);

// The most UTF-16 units of a face name that a logical font record holds besides its zero.
inline constexpr std::size_t longestFaceName = 31;

// The face name the window asks the system for: `faceName` up to its first NUL (where the
// record's zero-terminated name ends) and cut to at most longestFaceName UTF-16 units, never
// inside a code point: one outside the Basic Multilingual Plane takes two units and goes whole
// or not at all. Each code point counts alone, so a combining mark may go while its base stays.
// The settings hold valid UTF-8 (loadSettings refuses anything else); for any other text this
// throws Utf8Exception (window/utf8.hpp), wherever the ill-formed sequence stands.
std::string requestedFaceName(std::string_view faceName);

// `utf8` with every C0 control character U+0000 to U+001F replaced by its Control Pictures
// symbol U+2400 + c ("␀" for NUL, "␉" for a tab) and DEL U+007F by "␡" U+2421, so that a
// warning shows the whole key, a zero byte included. Every other byte is kept as it is; since
// no UTF-8 sequence holds a byte below 128 inside it, any bytes can be given.
std::string visibleText(std::string_view utf8);

// Called with each unknown key (stripped, lower-cased) as it is met.
using SettingsWarning = std::function<void(std::string_view key)>;

// Applies the lines of a zarn.ini to `settings`, in file order, the heights at `dpi`; each size
// is kept in points as well, for fontHeightAt. "ontop" and "remember" take "yes" or "no", "theme"
// takes "auto", "light" or "dark", "language" takes "auto" or a tag languageOfTag knows, "copy"
// takes "locale" or "line", each stripped and compared without regard to case; "hotkey" takes
// "none" (no hotkey, the default) or a key as parseHotkey reads it (window/hotkey.hpp). A UTF-8
// byte-order mark at the very start of the file is skipped (anywhere else it is text like any
// other). Throws ConversionException or OverflowException (window/number_conversion.hpp) for a
// number its conversion refuses, ChoiceException("ontop: \"" + visibleText(value) + "\" is
// neither yes nor no") for any other "ontop" value and the same with "remember" for any other
// "remember" value, ChoiceException("theme: \"" + visibleText(value) + "\" is neither auto, light
// nor dark") for any other "theme" value, ChoiceException("language: \"" + visibleText(value) +
// "\" is neither auto nor a language ZARN has texts for (" + languageTags() + ")") for any other
// "language" value, ChoiceException("copy: \"" + visibleText(value) + "\" is neither locale nor
// line") for any other "copy" value (the value stripped, an empty one included), HotkeyException
// for a "hotkey" that is no key, and Utf8Exception (window/utf8.hpp) for invalid UTF-8 in a key, a
// "font" item, a "size" or any other key's value; `settings` then keeps what was applied before
// the refused text. Each exception's message() is that English text; the window shows its
// shown() text in the user's language.
void loadSettings(std::string_view fileBytes, std::int32_t dpi, WindowSettings& settings,
                  const SettingsWarning& warn);

// Whether a "font" item or "size" value counts as a number; reads a lower-cased copy, so it
// throws Utf8Exception like lowerCase().
bool isNumericText(std::string_view text);

// The tallest character height, in pixels, a font is made at. Wine's rasteriser measures a font
// of 65,536 pixels or more as 1 by 1, which would leave a line one pixel high.
inline constexpr std::int32_t largestFontPixels = 65535;

// The logical-font height for a size in points: -round(|size| * dpi / 72), halves away from
// zero, in extended precision. Empty when that is not finite or is more than largestFontPixels
// pixels either way (a size of inf, nan, 1e+300, or 49152 at 96 dpi): the caller keeps the
// height it had.
std::optional<std::int32_t> fontHeightForPoints(long double size, std::int32_t dpi);

// The height the settings give at `dpi`, as if the file had been read there: the last configured
// size whose height can be made at `dpi` (fontHeightForPoints), else the default 14 points.
std::int32_t fontHeightAt(const WindowSettings& settings, std::int32_t dpi);

// The client width in pixels: a negative width counts back from the work area; a result of
// zero or less falls back to 500.
std::int32_t resolveClientWidth(std::int32_t clientWidth, std::int32_t workAreaWidth);

}  // namespace zarn
