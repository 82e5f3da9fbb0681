#include "window/number_format.hpp"

#include "window/entered_text.hpp"

namespace zarn {

namespace {

// "3;0", "3;2;0", "3": sizes of 1 to 9, a last 0 repeating the size before.
std::optional<DigitGrouping> groupSizesFrom(std::string_view text) {
    DigitGrouping grouping;
    for (std::size_t i = 0; i < text.size(); i += 2) {
        if (text[i] < '0' || text[i] > '9' || (i + 1 < text.size() && text[i + 1] != ';')) return std::nullopt;
        if (text[i] != '0') {
            grouping.sizes.push_back(static_cast<unsigned>(text[i] - '0'));
        } else if (i + 1 == text.size() && !grouping.sizes.empty()) {
            grouping.lastSizeRepeats = true;
        } else {
            return std::nullopt;  // "0" alone is no grouping; a 0 inside is no grouping Windows writes
        }
    }
    if (grouping.sizes.empty() || text.ends_with(';')) return std::nullopt;
    return grouping;
}

}  // namespace

std::u32string groupSeparatorsLike(char32_t separator) {
    constexpr std::u32string_view spaces = U"\u202F\u00A0\u2009", apostrophes = U"\u2019'";
    if (spaces.find(separator) != std::u32string_view::npos) return std::u32string(spaces);
    if (apostrophes.find(separator) != std::u32string_view::npos) return std::u32string(apostrophes);
    return std::u32string(1, separator);
}

NumberFormat numberFormatFrom(std::string_view decimal, std::string_view groupSeparator, std::string_view grouping) {
    NumberFormat format{decimalSeparatorFrom(decimal), std::nullopt};
    if (!format.decimal && decimal != ".") return format;
    const char32_t point = format.decimal.value_or(U'.');
    // A character typing would take as a decimal separator, or ".".
    const std::optional<char32_t> separator =
        groupSeparator == "." ? std::optional<char32_t>(U'.') : decimalSeparatorFrom(groupSeparator);
    if (!separator || groupSeparatorsLike(*separator).find(point) != std::u32string::npos) {
        return format;
    }
    format.grouping = groupSizesFrom(grouping);
    if (format.grouping) format.grouping->separator = *separator;
    return format;
}

}  // namespace zarn
