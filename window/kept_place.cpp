#include "window/kept_place.hpp"

#include <charconv>

namespace zarn {

namespace {

// The first line; a later format that ZARN cannot read gets another number.
constexpr std::string_view formatLine = "ZARN window place 1";

// Takes the next line of `text` (ending in LF, a CR before it dropped); false at the end of the
// text or where the last line has no end.
bool takeLine(std::string_view& text, std::string_view& line) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return false;
    line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    text.remove_prefix(end + 1);
    return true;
}

// The value of the line "KEY = VALUE" with exactly that key.
bool takeValue(std::string_view& text, std::string_view key, std::string_view& value) {
    std::string_view line;
    if (!takeLine(text, line) || !line.starts_with(key) || !line.substr(key.size()).starts_with(" = ")) return false;
    value = line.substr(key.size() + 3);
    return true;
}

// A decimal with an optional "-" that fits 32 bits, and nothing else.
bool takeNumber(std::string_view& text, std::string_view key, std::int32_t& number) {
    std::string_view value;
    if (!takeValue(text, key, value) || value.empty()) return false;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    return error == std::errc{} && end == value.data() + value.size();
}

}  // namespace

std::string keptPlaceText(const KeptPlace& place) {
    std::string text(formatLine);
    text += "\r\nleft = " + std::to_string(place.left);
    text += "\r\ntop = " + std::to_string(place.top);
    text += "\r\nwidth = " + std::to_string(place.clientWidth);
    text += "\r\ndpi = " + std::to_string(place.dpi);
    text += place.onTop ? "\r\nontop = yes\r\n" : "\r\nontop = no\r\n";
    return text;
}

std::optional<KeptPlace> readKeptPlace(std::string_view text) noexcept {
    if (text.size() > longestKeptPlaceText) return std::nullopt;
    KeptPlace place;
    std::string_view line;
    std::string_view onTop;
    if (!takeLine(text, line) || line != formatLine || !takeNumber(text, "left", place.left) ||
        !takeNumber(text, "top", place.top) || !takeNumber(text, "width", place.clientWidth) ||
        !takeNumber(text, "dpi", place.dpi) || !takeValue(text, "ontop", onTop) ||
        (onTop != "yes" && onTop != "no") || !text.empty() || place.clientWidth <= 0 || place.dpi <= 0) {
        return std::nullopt;
    }
    place.onTop = onTop == "yes";
    return place;
}

}  // namespace zarn
