// A paste and a copy in the notation of the locale, its separators given as Windows gives them.

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "window/copied_text.hpp"
#include "window/pasted_text.hpp"

namespace zarn {
namespace {

struct Locale {
    const char* decimal;
    const char* group;
    const char* grouping;
};
constexpr Locale deDE{",", ".", "3;0"}, enUS{".", ",", "3;0"}, frFR{",", "\u202F", "3;0"}, deCH{".", "\u2019", "3;0"},
    hiIN{".", ",", "3;2;0"}, arEG{"\u066B", "\u066C", "3;0"};

NumberFormat formatOf(const Locale& locale) {
    return numberFormatFrom(locale.decimal, locale.group, locale.grouping);
}

TEST(PastedText, reads_grouping_signs_and_exponents_as_the_locale_writes_them_and_keeps_the_lines_notation) {
    std::string column, values;
    for (int i = 0; i < 200000; ++i) column += "12,5\r\n", values += "12.5 ";
    const std::string huge = "1" + std::string(longestPastedExponent, '0');
    std::string many400s;
    while (many400s.size() / 6 * (longestPastedExponent + 1) <= mostWrittenOutBytes) many400s += "1E400 ";
    const struct {
        Locale locale;
        std::string pasted;
        PasteSite site;
        std::optional<std::string> line;
    } cases[] = {
        // Line breaks and tabs separate values; "." stays the line's point, a plain space separates.
        {enUS, "10\r\n20\r\n30", {}, "10 20 30"},
        {enUS, "1\r2\n3\r\n\r\n4\n\r5\t6\t", {}, "1 2 3  4  5 6 "},
        {deDE, column, {}, values},
        {deDE, "é1,5€ ١,٥ ,5 1, 1,,2", {}, "é1.5€ ١,٥ ,5 1, 1,,2"},  // only between two ASCII digits
        {arEG, "1٫5 1,5", {}, "1.5 1,5"},
        {frFR, "1 234,5", {}, "1 234.5"},
        // A grouped number with a decimal part, two separators or more, or an unusual separator.
        {deDE, "1.234,5 (1.234,5) 1.234.567", {}, "1234.5 (1234.5) 1234567"},
        {enUS, "1,234.5 12,345,678 1,234,567", {}, "1234.5 12345678 1234567"},
        {hiIN, "12,34,567.89", {}, "1234567.89"},
        {deCH, "1'234'567 1’234", {}, "1234567 1234"},
        {frFR, "1\u00A0234 1\u2009234,5", {}, "1234 1234.5"},
        // One separator "." or "," and no decimal part: one number only filling a cell, and for
        // "." only beside a number with the decimal separator.
        {deDE, "1.234", {}, "1.234"},
        {deDE, " 1.000 \r\n2,5\t-1.000", {}, " 1000  2.5 (-1000)"},
        {enUS, "1,234\r\n1,234 5", {}, "1234 1,234 5"},
        // Not grouped: groups of other sizes, a "," outside a grouped number (a comma-delimited
        // row), separators the locale does not give or that cannot be read.
        {deDE, "01.02.2024 1.23,4 1234.567,5", {}, "01.02.2024 1.23.4 1234.567.5"},
        {enUS, "10,20,30", {}, "10,20,30"},
        {enUS, "1,234.5 1,5", {}, "1,234.5 1,5"},
        {enUS, "\"1,234.50\",7", {}, "\"1,234.50\",7"},
        {{".", ",", "3"}, "1234,567", {}, "1234567"},  // "3" groups only the last three digits
        {{".", ",", "3"}, "1,234,567", {}, "1,234,567"},
        {{",", "", "3;0"}, "1.234,5", {}, "1.234.5"},
        {{",", ",", "3;0"}, "1,234", {}, "1.234"},
        {{",", " ", "3;0"}, "1 234,5", {}, "1 234.5"},
        {{",", ".", "0"}, "1.234,5", {}, "1.234.5"},
        // The line's digits beside the paste: the decimal separator counts, grouping and signs do not.
        {deDE, ",5", {true, false}, ".5"},
        {deDE, "1,", {false, true}, "1."},
        {deDE, ",", {true, true}, "."},
        {deDE, "234.567,5", {true, false}, "234.567.5"},
        {enUS, "-3", {true, false}, "-3"},
        // A minus at a cell's start or after a blank, directly before a number.
        {enUS, "10\r\n-3\r\n5 -1.5 \u22122", {}, "10 (-3) 5 (-1.5) (-2)"},
        {deDE, "-1.234,5", {}, "(-1234.5)"},
        {enUS, "5 3 - 5 - (-3) 3-2 -x -1,234 5", {}, "5 3 - 5 - (-3) 3-2 -x -1,234 5"},
        // Scientific notation written out exactly, however long; beyond the bound, refused.
        {enUS, "1.5E-3 -2.5e2 1E+15 00.0500e1 0E5 0x1E5 1E5x 1.E5 1E5.5 E5 1e", {},
         "0.0015 (-250) 1000000000000000 0.5 0 0x1E5 1E5x 1.E5 1E5.5 E5 1e"},
        {deDE, "1,5E\u22123 1E25", {}, "0.0015 10000000000000000000000000"},
        {enUS, "1E400", {}, huge},
        {enUS, "7 1E-401", {}, std::nullopt},
        {enUS, "1E99999999999999999999", {}, std::nullopt},
        {enUS, many400s, {}, std::nullopt},  // more written out than a paste may take
    };
    for (const auto& c : cases) {
        EXPECT_EQ(pastedText(c.pasted, formatOf(c.locale), c.site), c.line)
            << c.locale.decimal << " " << c.locale.group << " " << c.pasted.substr(0, 40);
    }
}

TEST(CopiedText, writes_the_locales_decimal_separator_between_digits_and_pastes_back_unchanged) {
    const struct { const char* decimal; std::string line, copied; } cases[] = {
        {",", "(7/2) 5 1.5 (-0.25) 3.14285714 ", "(7/2) 5 1,5 (-0,25) 3,14285714 "},
        {",", ".5 1. a.b 1.x", ".5 1. a.b 1.x"},
        {"\u066B", "1.5", "1\u066B5"},
        {".", "1.5", "1.5"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(copiedText(c.line, numberFormatFrom(c.decimal, "", "").decimal), c.copied) << c.line;
    }
    const std::string line = "1.234 (1/3) (-0.5) 3.14285714 1000 (-1234567/1000) 0.001";
    for (const Locale& locale : {deDE, enUS, frFR, deCH, hiIN, arEG}) {
        const NumberFormat format = formatOf(locale);
        EXPECT_EQ(pastedText(copiedText(line, format.decimal), format), line) << locale.decimal << locale.group;
    }
}

}  // namespace
}  // namespace zarn
