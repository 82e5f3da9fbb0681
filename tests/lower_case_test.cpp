// lowerCase: ASCII by table, then UTF-8 by Unicode's simple mapping, and ill-formed UTF-8.

#include <gtest/gtest.h>

#include <string>

#include "window/lower_case.hpp"

namespace zarn {
namespace {

struct Lowering {
    std::string text;
    std::string lowered;
};

TEST(LowerCase, maps_only_A_to_Z_in_ascii_text) {
    const Lowering cases[] = {
        {"", ""},
        {"FONT", "font"},
        {"Font Size", "font size"},
        {"[AZ@`az{]", "[az@`az{]"},
        {std::string("\0A\tZ~", 5), std::string("\0a\tz~", 5)},
    };
    for (const Lowering& c : cases) {
        EXPECT_EQ(lowerCase(c.text), c.lowered) << c.text;
    }
}

TEST(LowerCase, reads_utf8_from_the_first_byte_above_126_on) {
    const Lowering cases[] = {
        {"CAFÉ", "café"},                 // ASCII before and after the first high byte
        {"ÉTÉ ABC", "été abc"},
        {"A\x7F" "B", "a\x7F" "b"},       // DEL starts the UTF-8 reading and is valid there
        {"ΣΑΣ", "σασ"},                   // simple mapping: no final sigma
        {"ДЖЁ", "джё"},
        {"ĀāĂ", "āāă"},                   // alternating upper/lower pairs
        {"ǅ", "ǆ"},                       // title case to lower case
        {"İ", "i"},                       // two bytes become one
        {"Ⱥ", "ⱥ"},                       // two bytes become three
        {"ẞ", "ß"},
        {"ß", "ß"},                       // no upper-case form of its own: unchanged
        {"\u212A", "k"},                 // Kelvin sign
        {"𐐀", "𐐨"},                      // four bytes, Deseret
        {"𞤡", "𞥃"},                      // the last mapped code point (Adlam)
        {"中文", "中文"},
    };
    for (const Lowering& c : cases) {
        EXPECT_EQ(lowerCase(c.text), c.lowered) << c.text;
    }
}

TEST(LowerCase, maps_code_points_at_the_edges_of_the_table) {
    const std::pair<char32_t, char32_t> cases[] = {
        {0x0000, 0x0000},   {0x0040, 0x0040},   {0x0041, 0x0061},   {0x005A, 0x007A},
        {0x005B, 0x005B},   {0x00D7, 0x00D7},   {0x00DE, 0x00FE},   {0x0100, 0x0101},
        {0x0101, 0x0101},   {0x012E, 0x012F},   {0x012F, 0x012F},   {0x0130, 0x0069},
        {0x0131, 0x0131},   {0x0178, 0x00FF},   {0x1E921, 0x1E943}, {0x1E922, 0x1E922},
        {0x10FFFF, 0x10FFFF},
    };
    for (const auto& [code, lower] : cases) {
        EXPECT_EQ(simpleLowercase(code), lower) << std::hex << static_cast<unsigned>(code);
    }
}

TEST(LowerCase, refuses_ill_formed_utf8_where_the_sequence_starts) {
    const std::pair<std::string, std::size_t> cases[] = {
        {"\xE9", 0},                  // Latin-1 é
        {"Caf\xE9", 3},
        {"CAF\xC3", 3},               // cut short at the end
        {"\xE2\x82", 0},
        {"\x80", 0},                  // continuation byte without a lead
        {"\xC3\xA9\xA9", 2},
        {"\xC0\xAF", 0},              // overlong forms
        {"\xC1\xBF", 0},
        {"\xE0\x80\xAF", 0},
        {"\xF0\x80\x80\xAF", 0},
        {"\xED\xA0\x80", 0},          // surrogate
        {"\xF4\x90\x80\x80", 0},      // above U+10FFFF
        {"\xF5\x80\x80\x80", 0},
        {"\xFF", 0},
        {"\xE2\x28\xA1", 0},          // a lead byte followed by ASCII
        {"\xE2\x82\x28", 0},          // a bad third byte
        {"\xE2\x82\xC0", 0},
        {"\xC3\xA9 \x81", 3},
        {"A\xF0\x9F\x98", 1},          // a four-byte sequence cut short
        {"\x82\xA0", 0},              // Shift JIS
    };
    for (const auto& [text, offset] : cases) {
        try {
            lowerCase(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const Utf8Exception& error) {
            EXPECT_NE(error.message().find("at byte " + std::to_string(offset) + " of"), std::string::npos)
                << error.message();
        }
    }
}

TEST(LowerCase, names_the_text_with_its_bytes_escaped) {
    try {
        lowerCase("Caf\xE9\n \x7F~");
        FAIL() << "accepted invalid UTF-8";
    } catch (const Utf8Exception& error) {
        EXPECT_EQ(error.message(), "invalid UTF-8 at byte 3 of \"Caf\\xE9\\x0A \\x7F~\"");
        EXPECT_EQ(error.toString(), error.message());
    }
}

}  // namespace
}  // namespace zarn
