// Typed text made the line's, given the locale's decimal separator as Windows gives it.

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace zarn
