// Typed and pasted text made the line's, given the locale's decimal separator as Windows gives it.

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "window/entered_text.hpp"

namespace zarn {
namespace {

TEST(EnteredText, the_locales_separator_typed_enters_a_point) {
    const struct { const char* separator; unsigned typed, entered; } cases[] = {
        {",", ',', '.'}, {",", '.', '.'}, {".", ',', ','},  // where "." is the separator, "," stays
        {"٫", 0x66B, '.'}, {"٫", ',', ','},                   // Arabic's decimal separator, U+066B
        {" ", ' ', ' '}, {"+", '+', '+'},                     // a character of the line keeps its meaning
        {",,", ',', ','}, {"", ',', ','}, {"\xC3", 0xC3, 0xC3},  // no single character
        {"\x7F", 0x7F, 0x7F}, {"\x1F", 0x1F, 0x1F}, {":", ':', ':'}, {"(", '(', '('},  // control, operator
    };
    for (const auto& c : cases) {
        EXPECT_EQ(typedCharacter(c.typed, decimalSeparatorFrom(c.separator)), c.entered) << c.separator << c.typed;
    }
}

TEST(EnteredText, a_paste_keeps_every_value_and_reads_the_separator_between_digits) {
    std::string column, values;
    for (int i = 0; i < 200000; ++i) column += "12,5\r\n", values += "12.5 ";
    const struct { const char* separator; std::string_view pasted; std::string entered; } cases[] = {
        {".", "10\r\n20\r\n30", "10 20 30"},
        {".", "1\r2\n3\r\n\r\n4\n\r5\t6\t", "1 2 3  4  5 6 "},
        {".", "1,234.5 1,5", "1,234.5 1,5"},  // no thousands separator is read, nor another's decimals
        {",", "1.234,5\r\n2,25", "1.234.5 2.25"},
        {",", ",5 1, a,b 1,,2 1,", ",5 1, a,b 1,,2 1,"},  // not between two digits
        {",", "é1,5€ ١,٥", "é1.5€ ١,٥"},  // other characters, and other scripts' digits, stay
        {"٫", "1٫5 1,5 ٫5", "1.5 1,5 ٫5"},
        {"٫", "1٬5", "1٬5"},                      // U+066C shares U+066B's first byte
        {",", std::string_view("1,5").substr(0, 2), "1,"},  // the view ends at the separator
        {",", column, values},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pastedText(c.pasted, decimalSeparatorFrom(c.separator)), c.entered) << c.pasted.substr(0, 30);
    }
}

}  // namespace
}  // namespace zarn
