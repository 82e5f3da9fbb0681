#pragma once
// How the user's locale writes numbers, as the line reads them from a paste: its decimal
// separator and its digit grouping, taken from the locale's own texts. Needs no window system.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarn {

// The locale's digit grouping: the group separator and the group sizes, counted from the
// decimal separator leftwards ("3;0" is 1,234,567; "3;2;0" is 12,34,567; "3" is 12345,678).
struct DigitGrouping {
    char32_t separator = 0;
    std::vector<unsigned> sizes;  // one to nine digits each, the group nearest the point first
    bool lastSizeRepeats = false;  // the grouping text ends in ";0"
    bool operator==(const DigitGrouping&) const = default;
};

struct NumberFormat {
    // The decimal separator as typing takes it (window/entered_text.hpp): nothing for ".".
    std::optional<char32_t> decimal;
    // Nothing where the separators cannot be read. Where there is one, the decimal separator it
    // goes with is `decimal`, or "." where that is nothing.
    std::optional<DigitGrouping> grouping;
    bool operator==(const NumberFormat&) const = default;
};

// The format from the locale's decimal separator, group separator and grouping texts (UTF-8),
// as Windows gives them (LOCALE_SDECIMAL, LOCALE_STHOUSAND, LOCALE_SGROUPING).
// The grouping is read only where all three can be: a decimal separator of "." or one typing
// takes; a group separator of one character that is "." or "," or means nothing in the line (so
// not a plain space, which keeps separating values), and that is not, nor stands in for, the
// decimal separator; and sizes of one digit from 1 to 9 between ";", a last "0" repeating the
// size before it.
NumberFormat numberFormatFrom(std::string_view decimal, std::string_view groupSeparator, std::string_view grouping);

// The characters a paste takes as the group separator `separator`: U+202F, U+00A0 and U+2009 for
// each other, as do U+2019 and "'", since documents and older systems write the one for the
// other; any other character only for itself.
std::u32string groupSeparatorsLike(char32_t separator);

}  // namespace zarn
