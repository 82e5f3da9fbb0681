// Window settings: defaults, the lines and keys of zarn.ini, "font" and "size", the numeric
// test, the pixel rules, "ontop" and "theme", and the errors that loadSettings lets through.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "window/settings.hpp"

namespace zarn {
namespace {

constexpr std::int32_t int32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();

struct Loaded {
    WindowSettings settings;
    std::vector<std::string> warnings;
};

Loaded load(std::string_view file, std::int32_t dpi = 96) {
    Loaded loaded{defaultSettings(dpi), {}};
    loadSettings(file, dpi, loaded.settings, [&loaded](std::string_view key) { loaded.warnings.emplace_back(key); });
    return loaded;
}

using Keys = std::vector<std::string>;

TEST(DefaultSettings, are_century_at_14_points_truncated_and_500_pixels) {
    const std::pair<std::int32_t, std::int32_t> heights[] = {
        {96, -18}, {120, -23}, {144, -28}, {72, -14}, {1, 0}, {5, 0}, {6, -1}, {0, 0},
    };
    for (const auto& [dpi, height] : heights) {
        const WindowSettings settings = defaultSettings(dpi);
        EXPECT_EQ(settings.faceName, "Century");
        EXPECT_EQ(settings.fontHeight, height) << dpi;
        EXPECT_EQ(settings.clientWidth, 500);
        EXPECT_FALSE(settings.onTop);
    }
    const WindowSettings unset;
    EXPECT_EQ(unset.faceName, "Century");
    EXPECT_EQ(unset.fontHeight, -18);
    EXPECT_EQ(unset.clientWidth, 500);
    EXPECT_TRUE(unset.fontSizes.empty());
}

TEST(LoadSettings, splits_lines_at_crlf_lone_cr_and_lone_lf) {
    // Unknown keys are warned in order, which shows every line that was read.
    const std::pair<std::string, Keys> cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\n", {"a"}},
        {"a\r\n", {"a"}},
        {"a\r", {"a"}},
        {"a\nb", {"a", "b"}},
        {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
        {"a\n\n", {"a", ""}},          // two line ends at the end make an empty last line
        {"a\r\n\r\n", {"a", ""}},
        {"\n", {""}},
        {"\r\n", {""}},
        {"\n\r", {"", ""}},            // LF then a lone CR: two lines
        {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\nb", {"a", "", "b"}},
        {"\n\n\n", {"", "", ""}},
    };
    for (const auto& [file, keys] : cases) {
        EXPECT_EQ(load(file).warnings, keys) << testing::PrintToString(file);
    }
}

TEST(LoadSettings, strips_and_lower_cases_keys_but_not_values) {
    const std::string fonts[] = {
        "font=Courier NEW", "FONT=Courier NEW", "Font = Courier NEW", " \tfOnT\v =Courier NEW",
        "font =  Courier NEW  ",
    };
    for (const std::string& line : fonts) {
        const Loaded loaded = load(line);
        EXPECT_EQ(loaded.settings.faceName, "Courier NEW") << line;
        EXPECT_TRUE(loaded.warnings.empty()) << line;
    }
    EXPECT_EQ(load(" SIZE\t= 640").settings.clientWidth, 640);
    EXPECT_EQ(load("font=Ça Va").settings.faceName, "Ça Va");
}

TEST(LoadSettings, warns_each_unknown_key_as_compared) {
    const std::pair<std::string, Keys> cases[] = {
        {"[font]", {"[font]"}},
        {"; font size", {"; font size"}},
        {"=12", {""}},
        {"  = 12", {""}},
        {"Colour = red\nFONTS=x\n Width =3", {"colour", "fonts", "width"}},
        {"ÉTÉ=1", {"été"}},
        {"x=\xE9", {"x"}},             // the value of an unknown key is not read
        {"font size = 12", {"font size"}},
        {std::string("fo\0nt = 12", 10), {std::string("fo\0nt", 5)}},  // the whole key, past a zero byte
    };
    for (const auto& [file, keys] : cases) {
        const Loaded loaded = load(file);
        EXPECT_EQ(loaded.warnings, keys) << file;
        EXPECT_EQ(loaded.settings.faceName, "Century") << file;
    }
}

struct FontCase {
    std::string value;
    std::string face;
    std::int32_t height96, height144;  // the defaults are -18 and -28
};

TEST(LoadSettings, sets_size_from_numeric_font_items_and_face_from_the_others) {
    const FontCase cases[] = {
        {"Courier New, 12", "Courier New", -16, -24},
        {"12, Courier New, 9", "Courier New", -12, -18},
        {"14", "Century", -19, -28},             // rounded, unlike the truncated default
        {"-12", "Century", -16, -24},
        {"10.5", "Century", -14, -21},
        {"+1e+2", "Century", -133, -200},
        {"Arial Black , 12 ,Verdana", "Verdana", -16, -24},
        {"Courier New,", "", -18, -28},          // a trailing comma ends with an empty face
        {",,", "", -18, -28},
        {" ", "", -18, -28},                     // one blank item, stripped to an empty face
        {"", "Century", -18, -28},               // no items at all
        {"12pt", "12pt", -18, -28},
        {"1e2", "1e2", -18, -28},
        {"1,5", "Century", -7, -10},             // two items: 1 point, then 5 points
        {"Courier=New", "Courier=New", -18, -28},  // only the first "=" separates
        // A height that is not finite or beyond 65,535 pixels leaves the height as it was.
        {"inf", "Century", -18, -28},
        {"nan", "Century", -18, -28},
        {"-INF", "Century", -18, -28},
        {"1e+300", "Century", -18, -28},
        {"12, 1e+300", "Century", -16, -24},
        {"Courier, NaN", "Courier", -18, -28},
        {"49152", "Century", -18, -28},
        {"12, 49152", "Century", -16, -24},
        {"100000, 12", "Century", -16, -24},
        {"12, 100000", "Century", -16, -24},
        {"32767.5", "Century", -43690, -65535},  // the tallest at 144 dpi
        {"12, 32768", "Century", -43691, -24},
        {"49151.25", "Century", -65535, -28},    // the tallest at 96 dpi
    };
    for (const FontCase& c : cases) {
        for (const auto& [dpi, height] : {std::pair{96, c.height96}, std::pair{144, c.height144}}) {
            SCOPED_TRACE(c.value + " at " + std::to_string(dpi));
            const Loaded loaded = load("font=" + c.value, dpi);
            EXPECT_EQ(loaded.settings.faceName, c.face);
            EXPECT_EQ(loaded.settings.fontHeight, height);
            EXPECT_EQ(loaded.settings.clientWidth, 500);
        }
    }
    EXPECT_EQ(load("font=12", 120).settings.fontHeight, -20);
}

TEST(LoadSettings, sets_width_from_a_numeric_size_and_ignores_the_rest) {
    const std::pair<std::string, std::int32_t> cases[] = {
        {"-100", -100},   {"+300", 300},      {" 640 ", 640},   {"0", 0},
        {"2147483647", int32Max},             {"-2147483648", int32Min},
        {"abc", 500},     {"50%", 500},       {"", 500},        {"   ", 500},
        {"600 = 700", 500},                   {"12pt", 500},    {"1e2", 500},
    };
    for (const auto& [value, width] : cases) {
        const Loaded loaded = load("size=" + value);
        EXPECT_EQ(loaded.settings.clientWidth, width) << value;
        EXPECT_TRUE(loaded.warnings.empty()) << value;
    }
    EXPECT_EQ(load("size").settings.clientWidth, 500);
}

TEST(LoadSettings, skips_a_utf8_byte_order_mark_only_at_the_start_of_the_file) {
    const std::string mark = "\xEF\xBB\xBF";
    const std::string courier = "font = Courier New, 20";
    struct Case {
        std::string file;
        std::string face;
        Keys warnings;
    };
    const Case cases[] = {
        {mark + courier, "Courier New", {}},
        {mark, "Century", {}},
        {mark + "\n", "Century", {""}},
        {courier + "\n" + mark, "Courier New", {mark}},         // a later line's mark is text
        {mark + mark + courier, "Century", {mark + "font"}},     // only the first mark goes
        {"\n" + mark + courier, "Century", {"", mark + "font"}},
        {" " + mark + courier, "Century", {mark + "font"}},      // not at the very start
    };
    for (const Case& c : cases) {
        const Loaded loaded = load(c.file);
        EXPECT_EQ(loaded.warnings, c.warnings) << testing::PrintToString(c.file);
        EXPECT_EQ(loaded.settings.faceName, c.face) << testing::PrintToString(c.file);
    }
    EXPECT_THROW(load("\xEF\xBB" + courier), Utf8Exception);  // a cut mark stays invalid UTF-8
}

TEST(LoadSettings, applies_lines_in_file_order) {
    const Loaded loaded = load(
        "font = Courier New, 12\r\nsize = -100\n[font]\n; font size\n\nsize=200\nfont=Arial\nfont=9\n"
        "font=\n");
    EXPECT_EQ(loaded.settings.faceName, "Arial");
    EXPECT_EQ(loaded.settings.fontHeight, -12);
    EXPECT_EQ(loaded.settings.clientWidth, 200);
    EXPECT_EQ(loaded.warnings, (Keys{"[font]", "; font size", ""}));
}

struct Refusal {
    std::string file;
    std::string message;
};

TEST(LoadSettings, lets_conversion_errors_through_with_their_messages) {
    const Refusal conversions[] = {
        {"size = 1.5", "conversion 1.5"},
        {"size = -", "conversion -"},
        {"font = 12l", "conversion 12l not representable as a double"},
        {"font = Arial, 1+2", "conversion 1+2 not representable as a double"},
        {"font = 12\xC4\xB0", "conversion 12\xC4\xB0 not representable as a double"},  // 12İ reads as 12i
    };
    for (const Refusal& c : conversions) {
        try {
            load(c.file);
            ADD_FAILURE() << "accepted: " << c.file;
        } catch (const ConversionException& error) {
            EXPECT_EQ(error.message(), c.message);
        }
    }
    const Refusal overflows[] = {
        {"size = 99999999999", "Error: overflow 99999999999"},
        {"size = -2147483649", "Error: overflow -2147483649"},
    };
    for (const Refusal& c : overflows) {
        try {
            load(c.file);
            ADD_FAILURE() << "accepted: " << c.file;
        } catch (const OverflowException& error) {
            EXPECT_EQ(error.message(), c.message);
        }
    }
}

TEST(LoadSettings, lets_invalid_utf8_through_from_keys_font_items_and_size_values) {
    const std::string files[] = {
        "\xC9t\xE9=1", "font = Caf\xE9", "font = 12, \xFF", "size = \xE9", "font=Arial\n\xC3=1",
    };
    for (const std::string& file : files) {
        EXPECT_THROW(load(file), Utf8Exception) << file;
    }
}

TEST(LoadSettings, sets_on_top_from_yes_or_no_the_last_line_winning) {
    const std::pair<std::string, bool> cases[] = {
        {"font=Arial", false},
        {"ontop = yes", true},
        {"ontop = no", false},
        {"ONTOP=YES", true},
        {"OnTop = Yes", true},
        {"ontop=nO", false},
        {"ontop = \t yes \v", true},
        {"ontop=yes\nontop=no", false},
        {"ontop=no\r\nsize=600\nontop=yes", true},
    };
    for (const auto& [file, onTop] : cases) {
        const Loaded loaded = load(file);
        EXPECT_EQ(loaded.settings.onTop, onTop) << file;
        EXPECT_TRUE(loaded.warnings.empty()) << file;
    }
}

TEST(LoadSettings, refuses_an_ontop_value_other_than_yes_or_no_naming_it) {
    const Refusal cases[] = {
        {"ontop = maybe", "ontop: \"maybe\" is neither yes nor no"},
        {"ontop = Yes please ", "ontop: \"Yes please\" is neither yes nor no"},
        {"ontop =", "ontop: \"\" is neither yes nor no"},
        {"ontop", "ontop: \"\" is neither yes nor no"},
        {"ontop = y", "ontop: \"y\" is neither yes nor no"},
        {"ontop = true", "ontop: \"true\" is neither yes nor no"},
        {"ontop = ｙｅｓ", "ontop: \"ｙｅｓ\" is neither yes nor no"},
        {std::string("ontop = y\0es", 12), "ontop: \"y␀es\" is neither yes nor no"},
        {"ontop = yes\nontop = 1", "ontop: \"1\" is neither yes nor no"},
    };
    for (const Refusal& c : cases) {
        try {
            load(c.file);
            ADD_FAILURE() << "accepted: " << testing::PrintToString(c.file);
        } catch (const ChoiceException& error) {
            EXPECT_EQ(error.message(), c.message);
        }
    }
    EXPECT_THROW(load("ontop = y\xE9s"), Utf8Exception);
}

// The words are chosen as ontop's are (blanks, case, the message): a few rows say so for theme.
TEST(LoadSettings, sets_the_theme_from_auto_light_or_dark_the_last_line_winning_and_refuses_any_other) {
    const std::tuple<std::string, Theme, std::string> cases[] = {
        {"font=Arial", Theme::Auto, ""},
        {"THEME = \t Dark \v", Theme::Dark, ""},
        {"theme=dark\ntheme=light", Theme::Light, ""},
        {"theme=light\r\ntheme=AUTO", Theme::Auto, ""},
        {"theme = dark\ntheme = blue", {}, "theme: \"blue\" is neither auto, light nor dark"},
        {"theme =", {}, "theme: \"\" is neither auto, light nor dark"},
    };
    for (const auto& [file, theme, refusal] : cases) {
        try {
            EXPECT_EQ(load(file).settings.theme, theme) << file;
            EXPECT_EQ(refusal, "") << file;
        } catch (const ChoiceException& error) {
            EXPECT_EQ(error.message(), refusal) << file;
        }
    }
}

// remember and hotkey, and whether the file gave size and ontop, which a kept place yields to.
TEST(LoadSettings, sets_remember_and_the_hotkey_and_tells_whether_size_and_ontop_were_given) {
    struct Case {
        std::string file;
        bool remember;
        std::string hotkey;  // as hotkeyText writes it; empty for none
        bool clientWidthSet, onTopSet;
        std::string refusal;
    };
    const Case cases[] = {
        {"font=Arial\nsize = abc", false, "", false, false, ""},  // a size ignored is not given
        {"REMEMBER = \tYes \nsize = 600\nhotkey = Ctrl + Alt + Z", true, "ctrl+alt+z", true, false, ""},
        {"hotkey = ctrl+alt+z\nhotkey = NONE\nontop = no", false, "", false, true, ""},
        {"remember = maybe", false, "", false, false, "remember: \"maybe\" is neither yes nor no"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        try {
            const WindowSettings settings = load(c.file).settings;
            EXPECT_EQ(settings.remember, c.remember);
            EXPECT_EQ(settings.hotkey ? hotkeyText(*settings.hotkey) : "", c.hotkey);
            EXPECT_EQ(settings.clientWidthSet, c.clientWidthSet);
            EXPECT_EQ(settings.onTopSet, c.onTopSet);
            EXPECT_EQ(c.refusal, "");
        } catch (const Exception& error) {
            EXPECT_EQ(error.message(), c.refusal);
        }
    }
}

TEST(LoadSettings, sets_copy_from_locale_or_line_the_last_line_winning_and_refuses_any_other) {
    const std::tuple<std::string, CopyNotation, std::string> cases[] = {
        {"font=Arial", CopyNotation::Locale, ""},
        {"COPY = \t Line \v", CopyNotation::Line, ""},
        {"copy=line\r\ncopy=LOCALE", CopyNotation::Locale, ""},
        {"copy = line\ncopy = comma", {}, "copy: \"comma\" is neither locale nor line"},
    };
    for (const auto& [file, copy, refusal] : cases) {
        try {
            EXPECT_EQ(load(file).settings.copy, copy) << file;
            EXPECT_EQ(refusal, "") << file;
        } catch (const ChoiceException& error) {
            EXPECT_EQ(error.message(), refusal) << file;
        }
    }
}

TEST(LoadSettings, warns_for_earlier_lines_before_a_refusal_ends_the_reading) {
    WindowSettings settings = defaultSettings(96);
    Keys warnings;
    EXPECT_THROW(loadSettings("a\nfont=Arial\nsize=1.5\nb\n", 96, settings,
                              [&warnings](std::string_view key) { warnings.emplace_back(key); }),
                 ConversionException);
    EXPECT_EQ(warnings, Keys{"a"});
}

TEST(IsNumericText, follows_each_rule_of_the_scan) {
    const std::string numeric[] = {
        "12", "+12", "-12", "10.5", ".5", "5.", "1e+2", "1E-5", "-1.5e+10", "007",
        "nan", "NaN", "nani", "NAN+NANI", "inf", "-INF",                // the fixed words
        "+", "-", ".", "1e+",                                         // nothing left to refuse
        "12l", "12L", "12u", "12ul", "12UL", "12f", "12i",            // suffixes on a plain number
        "1.5f", "1.5l", "1.5i", "1e+5l", "1.5fi", "1.5li", "1+2fi",
        "1+2", "1+2i", "1.5+2.5", "1e+5+2e+3",                       // a second part resets the flags
        "12\xC4\xB0",                                                 // 12İ lower-cases to 12i
    };
    for (const std::string& text : numeric) {
        EXPECT_TRUE(isNumericText(text)) << text;
    }
    const std::string other[] = {
        "", "12pt", "1e2", "1,5", "Courier New", "1.2.3", "1e+5e+3", "1e", "e", "e+1x",
        "1.5u", "1.5ul", "1e+5ul", "1+2ul", "1+2u", "1+2l", "1+2f", "12x", "12ll", "12uf",
        "1-2", "--1", "+-1", "+inf", "infinity", "nan+nan", "-nan", " 12", "12 ", "1x5",
        "12\xC3\xA9",                                                 // é is no suffix
    };
    for (const std::string& text : other) {
        EXPECT_FALSE(isNumericText(text)) << text;
    }
    EXPECT_THROW(isNumericText("12\xE9"), Utf8Exception);
}

TEST(LoadSettings, keeps_only_the_font_sizes_that_can_still_decide_a_height) {
    // Whether a height can be made depends on |size|, the larger failing first, and a later size
    // wins wherever it can be made: an earlier size at least as large never decides again.
    std::string descending;  // a hostile file: every size but the last is outdone
    for (int size = 100000; size > 0; --size) descending += "font=" + std::to_string(size) + "\n";
    const std::pair<std::string, std::vector<long double>> cases[] = {
        {"font=Arial", {}},
        {"font=12", {12}},
        {"font=12\nfont=12", {12}},
        {"font=20, 10", {10}},
        {"font=10, 20", {10, 20}},
        {"font=10, 30, 20", {10, 20}},
        {"font=-30, 20", {20}},
        {"font=20, -30", {20, -30}},
        {"font=-20, 20", {20}},
        {"font=inf, 12, nan, -inf", {12}},                         // never a height
        {"font=10, 1e+300, 40000", {10, 40000}},
        {"font=12, 1e+300", {12, static_cast<long double>(1e300)}},  // at 0 dpi it gives one
        {descending, {1}},
    };
    for (const auto& [file, sizes] : cases) {
        EXPECT_EQ(load(file).settings.fontSizes, sizes) << file.substr(0, 40);
    }
}

TEST(FontHeightAt, gives_the_height_the_file_would_have_given_read_at_that_resolution) {
    // Read at 96 dpi and moved to another resolution, as if read there. Huge sizes fail at some
    // resolutions only, where an earlier size (or the default) decides.
    const std::string files[] = {
        "", "font=Arial", "font=12", "font=14", "font=12, 9", "font=12\nfont=10.5", "font=inf",
        "font=1e+300, 9", "font=12, 40000", "font=40000, 12", "font=10, 40000, nan, 60000",
        "font=60000, 30000, 40000", "font=-40000, 30000", "font=49152", "font=12, 1e+9",
    };
    for (const std::string& file : files) {
        const WindowSettings read = load(file).settings;
        EXPECT_EQ(fontHeightAt(read, 96), read.fontHeight) << file;
        for (const std::int32_t dpi : {72, 120, 144, 192, 0, -96}) {
            EXPECT_EQ(fontHeightAt(read, dpi), load(file, dpi).settings.fontHeight) << file << " at " << dpi;
        }
    }
}

struct HeightCase {
    long double size;
    std::int32_t dpi;
    std::int32_t height;
};

TEST(FontHeightForPoints, rounds_halves_away_from_zero_in_extended_precision) {
    const HeightCase cases[] = {
        {12, 96, -16},   {14, 96, -19},    {10.5L, 96, -14}, {0, 96, 0},    {-12, 96, -16},
        {72, 96, -96},   {0.375L, 96, -1}, {1.125L, 96, -2}, {1.875L, 96, -3}, {0.374L, 96, 0},
        {12, 120, -20},  {14, 120, -23},   {10.5L, 120, -18}, {9, 120, -15},
        {12, 144, -24},  {14, 144, -28},   {0.25L, 144, -1}, {1.25L, 144, -3}, {-1.25L, 144, -3},
        {-0.0L, 96, 0},
        {49151.25L, 96, -65535},  {49151.6L, 96, -65535},  {32767.5L, 144, -65535},  // the tallest
        {-49151.25L, 96, -65535}, {65535, 72, -65535},     {12, -96, 16},
    };
    for (const HeightCase& c : cases) {
        EXPECT_EQ(fontHeightForPoints(c.size, c.dpi), std::optional<std::int32_t>(c.height))
            << static_cast<double>(c.size) << " at " << c.dpi;
    }
}

TEST(FontHeightForPoints, is_empty_when_not_finite_or_beyond_65535_pixels) {
    constexpr long double infinity = std::numeric_limits<long double>::infinity();
    const std::pair<long double, std::int32_t> cases[] = {
        {infinity, 96}, {-infinity, 96}, {std::numeric_limits<long double>::quiet_NaN(), 96}, {1e300L, 96},
        {49152, 96},    {100000, 96},    {49152, 144},    {100000, 144},   {32768, 144},
        {49151.65L, 96},                 // 65535.53 pixels, rounded to 65536
        {32767.75L, 144},                // 65535.5, a half taken away from zero
        {-49152, 96},   {49152, -96},    {1610612736, 96}, {12, int32Max},
    };
    for (const auto& [size, dpi] : cases) {
        EXPECT_EQ(fontHeightForPoints(size, dpi), std::nullopt) << static_cast<double>(size) << " at " << dpi;
    }
}

TEST(RequestedFaceName, cuts_at_31_utf16_units_never_inside_a_code_point) {
    const auto times = [](std::size_t count, std::string_view piece) {
        std::string out;
        while (count-- > 0) out += piece;
        return out;
    };
    const std::string emoji = "\xF0\x9F\x98\x80";  // U+1F600, two units
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"Courier New", "Courier New"},
        {times(31, "a"), times(31, "a")},
        {times(32, "a"), times(31, "a")},
        {times(40, "a"), times(31, "a")},
        {"Grüne Mono", "Grüne Mono"},
        {times(31, "ü"), times(31, "ü")},              // 62 bytes, 31 units
        {times(32, "ü"), times(31, "ü")},
        {"ＭＳ ゴシック", "ＭＳ ゴシック"},
        {times(40, "微"), times(31, "微")},             // 93 of 120 bytes
        {times(29, "a") + emoji, times(29, "a") + emoji},  // units 30 and 31
        {times(29, "a") + emoji + "b", times(29, "a") + emoji},
        {times(30, "a") + emoji, times(30, "a")},       // units 31 and 32: the pair goes whole
        {times(16, emoji), times(15, emoji)},
        {"e\xCC\x81", "e\xCC\x81"},                     // e and a combining acute accent
        {times(29, "a") + "e\xCC\x81", times(29, "a") + "e\xCC\x81"},
        {times(30, "a") + "e\xCC\x81", times(30, "a") + "e"},  // the mark is a code point of its own
        {std::string("Cou\0rier", 8), "Cou"},           // the record's name ends at a zero
        {std::string("\0", 1), ""},
    };
    for (const auto& [face, requested] : cases) {
        SCOPED_TRACE(testing::PrintToString(face));
        EXPECT_EQ(requestedFaceName(face), requested);
    }
    EXPECT_THROW(requestedFaceName("Caf\xE9"), Utf8Exception);
    EXPECT_THROW(requestedFaceName(times(40, "a") + "\xE9"), Utf8Exception);  // beyond the cut too
}

TEST(VisibleText, shows_c0_controls_and_del_as_control_pictures) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""},
        {"font", "font"},
        {std::string("fo\0nt", 5), "fo␀nt"},
        {"\t\n\r\x1B", "␉␊␍␛"},
        {std::string("\x01\x1F\x7F\0", 4), "␁␟␡␀"},
        {"été \xC2\x80 ~", "été \xC2\x80 ~"},      // U+0080 and everything above stay
        {"\xE9\x80", "\xE9\x80"},                  // bytes that are not UTF-8 stay too
    };
    for (const auto& [text, shown] : cases) {
        EXPECT_EQ(visibleText(text), shown) << testing::PrintToString(text);
    }
    for (char c = ' '; c < '\x7F'; ++c) EXPECT_EQ(visibleText(std::string(1, c)), std::string(1, c));
}

TEST(ResolveClientWidth, counts_negative_widths_back_and_falls_back_to_500) {
    struct Case {
        std::int32_t width, workArea, resolved;
    };
    const Case cases[] = {
        {500, 1920, 500},    {3000, 1920, 3000},  {1, 1920, 1},       {-100, 1920, 1820},
        {-1919, 1920, 1},    {-1920, 1920, 500},  {-2000, 1920, 500}, {0, 1920, 500},
        {-1, int32Max, int32Max - 1},             {int32Max, 0, int32Max},
        {int32Min, int32Min, 500},                {-5, -5, 500},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(resolveClientWidth(c.width, c.workArea), c.resolved) << c.width << " in " << c.workArea;
    }
}

}  // namespace
}  // namespace zarn
