#include "window/settings.hpp"

#include <cmath>
#include <limits>

#include "rational/text.hpp"

namespace zarn {

namespace {

constexpr std::int32_t defaultClientWidth = 500;
constexpr std::int32_t defaultPoints = 14;
constexpr std::int32_t pointsPerInch = 72;
// Notepad's "UTF-8 with BOM" puts this mark first; it belongs to no key.
constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

std::string_view stripped(std::string_view s) {
    while (!s.empty() && text::isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && text::isBlank(s.back())) s.remove_suffix(1);
    return s;
}

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

// Each item of a "font" value sets the size when numeric, the face otherwise.
void applyFont(std::string_view value, std::int32_t dpi, WindowSettings& settings) {
    if (value.empty()) return;
    for (std::size_t begin = 0;;) {
        const std::size_t comma = value.find(',', begin);
        const std::string_view item = stripped(value.substr(begin, comma - begin));
        if (isNumericText(item)) {
            if (const auto height = fontHeightForPoints(toDouble(item), dpi)) settings.fontHeight = *height;
        } else {
            settings.faceName = item;
        }
        if (comma == std::string_view::npos) return;
        begin = comma + 1;
    }
}

void applySize(std::string_view value, WindowSettings& settings) {
    const std::string_view item = stripped(value);
    if (isNumericText(item)) settings.clientWidth = toInt32(item);
}

}  // namespace

WindowSettings defaultSettings(std::int32_t dpi) {
    // Truncating integer division; 64 bits so that no dpi can overflow the product.
    const std::int64_t height = -std::int64_t{defaultPoints} * dpi / pointsPerInch;
    return WindowSettings{"Century", static_cast<std::int32_t>(height), defaultClientWidth};
}

void loadSettings(std::string_view fileBytes, std::int32_t dpi, WindowSettings& settings,
                  const SettingsWarning& warn) {
    if (fileBytes.starts_with(utf8ByteOrderMark)) fileBytes.remove_prefix(utf8ByteOrderMark.size());
    std::size_t position = 0;
    for (std::string_view line; nextLine(fileBytes, position, line);) {
        const std::size_t equals = line.find('=');
        const std::string key = lowerCase(stripped(line.substr(0, equals)));
        const std::string_view value = equals == std::string_view::npos ? std::string_view{} : line.substr(equals + 1);
        if (key == "font") {
            applyFont(value, dpi, settings);
        } else if (key == "size") {
            applySize(value, settings);
        } else {
            warn(key);
        }
    }
}

std::optional<std::int32_t> fontHeightForPoints(long double size, std::int32_t dpi) {
    // Extended precision throughout; std::round takes halves away from zero.
    const long double pixels = std::round(std::fabs(size) * static_cast<long double>(dpi) / 72.0L);
    const long double height = -pixels;
    if (!std::isfinite(height) || height < std::numeric_limits<std::int32_t>::min() ||
        height > std::numeric_limits<std::int32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(height);
}

std::int32_t resolveClientWidth(std::int32_t clientWidth, std::int32_t workAreaWidth) {
    std::int64_t width = clientWidth;
    if (width < 0) width += workAreaWidth;  // 64 bits: no overflow for any pair
    return width <= 0 ? defaultClientWidth : static_cast<std::int32_t>(width);
}

}  // namespace zarn
