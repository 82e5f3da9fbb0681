#include "window/settings.hpp"

#include <algorithm>
#include <cmath>
#include <span>
#include <vector>

#include "rational/text.hpp"

namespace zarn {

namespace {

// Notepad's "UTF-8 with BOM" puts this mark first; it belongs to no key.
constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

// The next line of `bytes` from `position`, which moves past its line end (CR LF, CR or LF).
// Every line end closes a line; text after the last one is a line only when it is not empty.
bool nextLine(std::string_view bytes, std::size_t& position, std::string_view& line) {
    if (position >= bytes.size()) return false;
    const std::size_t end = bytes.find_first_of("\r\n", position);
    if (end == std::string_view::npos) {
        line = bytes.substr(position);
        position = bytes.size();
        return true;
    }
    line = bytes.substr(position, end - position);
    position = end + 1;
    if (bytes[end] == '\r' && position < bytes.size() && bytes[position] == '\n') ++position;
    return true;
}

// Keeps `size` among the sizes that may decide the height at some resolution. Whether a size's
// height can be made depends only on the resolution and on |size|, the larger failing first. A
// later size wins wherever it can be made, and where it cannot, no earlier size at least as
// large can either: those go, so the sizes kept grow from first to last. A size that is not
// finite never gives a height.
void keepFontSize(std::vector<long double>& sizes, long double size) {
    if (!std::isfinite(size)) return;
    while (!sizes.empty() && std::fabs(sizes.back()) >= std::fabs(size)) sizes.pop_back();
    sizes.push_back(size);
}

// Each item of a "font" value sets the size when numeric, the face otherwise.
void applyFont(std::string_view value, std::int32_t dpi, WindowSettings& settings) {
    if (value.empty()) return;
    for (std::size_t begin = 0;;) {
        const std::size_t comma = value.find(',', begin);
        const std::string_view item = text::stripped(value.substr(begin, comma - begin));
        if (isNumericText(item)) {
            const long double size = toDouble(item);
            keepFontSize(settings.fontSizes, size);
            if (const auto height = fontHeightForPoints(size, dpi)) settings.fontHeight = *height;
        } else {
            settings.faceName = item;
        }
        if (comma == std::string_view::npos) return;
        begin = comma + 1;
    }
}

void applySize(std::string_view value, WindowSettings& settings) {
    const std::string_view item = text::stripped(value);
    if (!isNumericText(item)) return;
    settings.clientWidth = toInt32(item);
    settings.clientWidthSet = true;
}

// Which of `words` (lower case) the stripped `value` is, without regard to case; any other value,
// an empty one included, is refused with the message `refused` naming it.
std::size_t chosenWord(std::string_view value, std::span<const std::string_view> words, MessageId refused) {
    const std::string_view item = text::stripped(value);
    const auto chosen = std::find(words.begin(), words.end(), lowerCase(item));
    if (chosen == words.end()) throw ChoiceException({refused, {visibleText(item)}});
    return static_cast<std::size_t>(chosen - words.begin());
}

void applyOnTop(std::string_view value, WindowSettings& settings) {
    constexpr std::string_view words[] = {"no", "yes"};
    settings.onTop = chosenWord(value, words, MessageId::OnTopChoice) == 1;
    settings.onTopSet = true;
}

void applyRemember(std::string_view value, WindowSettings& settings) {
    constexpr std::string_view words[] = {"no", "yes"};
    settings.remember = chosenWord(value, words, MessageId::RememberChoice) == 1;
}

// "none" in any case, or a key.
void applyHotkey(std::string_view value, WindowSettings& settings) {
    if (lowerCase(text::stripped(value)) == "none") {
        settings.hotkey.reset();
    } else {
        settings.hotkey = parseHotkey(value);
    }
}

void applyTheme(std::string_view value, WindowSettings& settings) {
    constexpr std::string_view words[] = {"auto", "light", "dark"};  // in the order of Theme
    settings.theme = static_cast<Theme>(chosenWord(value, words, MessageId::ThemeChoice));
}

void applyLanguage(std::string_view value, WindowSettings& settings) {
    const std::string_view item = text::stripped(value);
    const std::string word = lowerCase(item);  // refuses invalid UTF-8, as the other values do
    if (word == "auto") {
        settings.language.reset();
    } else if (const std::optional<Language> language = languageOfTag(word)) {
        settings.language = language;
    } else {
        throw ChoiceException({MessageId::LanguageChoice, {visibleText(item), languageTags()}});
    }
}

void applyCopy(std::string_view value, WindowSettings& settings) {
    constexpr std::string_view words[] = {"locale", "line"};  // in the order of CopyNotation
    settings.copy = static_cast<CopyNotation>(chosenWord(value, words, MessageId::CopyChoice));
}

}  // namespace

WindowSettings defaultSettings(std::int32_t dpi) {
    WindowSettings settings;
    settings.fontHeight = defaultFontHeight(dpi);
    return settings;
}

void loadSettings(std::string_view fileBytes, std::int32_t dpi, WindowSettings& settings,
                  const SettingsWarning& warn) {
    if (fileBytes.starts_with(utf8ByteOrderMark)) fileBytes.remove_prefix(utf8ByteOrderMark.size());
    std::size_t position = 0;
    for (std::string_view line; nextLine(fileBytes, position, line);) {
        const std::size_t equals = line.find('=');
        const std::string key = lowerCase(text::stripped(line.substr(0, equals)));
        const std::string_view value = equals == std::string_view::npos ? std::string_view{} : line.substr(equals + 1);
        if (key == "font") {
            applyFont(value, dpi, settings);
        } else if (key == "size") {
            applySize(value, settings);
        } else if (key == "ontop") {
            applyOnTop(value, settings);
        } else if (key == "theme") {
            applyTheme(value, settings);
        } else if (key == "remember") {
            applyRemember(value, settings);
        } else if (key == "hotkey") {
            applyHotkey(value, settings);
        } else if (key == "language") {
            applyLanguage(value, settings);
        } else if (key == "copy") {
            applyCopy(value, settings);
        } else {
            warn(key);
        }
    }
}

std::string requestedFaceName(std::string_view faceName) {
    // Every code point is read, so ill-formed text throws wherever it stands.
    std::size_t units = 0;
    std::size_t kept = 0;
    bool ended = false;
    for (std::size_t i = 0; i < faceName.size();) {
        const char32_t c = decodeUtf8(faceName, i);
        units += c > 0xFFFF ? 2 : 1;
        ended = ended || c == 0 || units > longestFaceName;
        if (!ended) kept = i;
    }
    return std::string(faceName.substr(0, kept));
}

std::string visibleText(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            // U+2400 + byte, or U+2421 for DEL, in UTF-8: E2 90 80+.
            out += "\xE2\x90";
            out += static_cast<char>(0x80 + (byte == 0x7F ? 0x21 : byte));
        } else {
            out += c;
        }
    }
    return out;
}

std::optional<std::int32_t> fontHeightForPoints(long double size, std::int32_t dpi) {
    // Extended precision throughout; std::round takes halves away from zero.
    const long double pixels = std::round(std::fabs(size) * static_cast<long double>(dpi) / 72.0L);
    // Not finite fails the comparison too; a negative dpi gives a positive height.
    if (!(std::fabs(pixels) <= largestFontPixels)) return std::nullopt;
    return static_cast<std::int32_t>(-pixels);
}

std::int32_t fontHeightAt(const WindowSettings& settings, std::int32_t dpi) {
    for (auto size = settings.fontSizes.rbegin(); size != settings.fontSizes.rend(); ++size) {
        if (const auto height = fontHeightForPoints(*size, dpi)) return *height;
    }
    return defaultFontHeight(dpi);
}

std::int32_t resolveClientWidth(std::int32_t clientWidth, std::int32_t workAreaWidth) {
    std::int64_t width = clientWidth;
    if (width < 0) width += workAreaWidth;  // 64 bits: no overflow for any pair
    return width <= 0 ? defaultClientWidth : static_cast<std::int32_t>(width);
}

}  // namespace zarn
