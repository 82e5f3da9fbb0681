// Text between UTF-16 and UTF-8: as Windows converts valid text, an exact round trip for any
// units at all, and offsets that never cut a character. Units are written one by one, pairs as
// their two halves, so that the text is UTF-16 wherever wchar_t is wider.

#ifdef _WIN32
#include <windows.h>
#endif

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

#include "window/utf16.hpp"

namespace zarn {
namespace {

// Random units drawn from `pool`: ASCII, two- and three-byte characters, both halves of pairs.
std::wstring randomUnits(std::mt19937& random, std::wstring_view pool) {
    std::wstring text(random() % 12, L'\0');
    for (wchar_t& unit : text) unit = pool[random() % pool.size()];
    return text;
}

#ifdef _WIN32
std::string windowsUtf8(const std::wstring& text) {
    const int length = static_cast<int>(text.size());
    std::string out(static_cast<std::size_t>(length) * 3, '\0');
    out.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

TEST(Utf16, valid_text_converts_as_windows_converts_it) {
    const std::wstring pairs[] = {L"\xD83D\xDE00", L"\xD800\xDC00", L"\xDBFF\xDFFF"};
    std::mt19937 random(11);
    for (int round = 0; round < 2000; ++round) {
        std::wstring text = randomUnits(random, L"a1 +\u00E9\u07FF\u0800\u4E2D\uFFFF");
        text.insert(random() % (text.size() + 1), pairs[random() % 3]);
        const std::string utf8 = utf8FromUtf16(text);
        ASSERT_EQ(utf8, windowsUtf8(text));
        ASSERT_EQ(utf16FromUtf8(utf8), text);
    }
}
#endif

TEST(Utf16, any_units_round_trip_and_offsets_never_cut_a_pair) {
    const auto isHigh = [](wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; };
    const auto isLow = [](wchar_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; };
    std::mt19937 random(12);
    for (int round = 0; round < 5000; ++round) {
        const std::wstring text = randomUnits(random, L"a \u00E9\u07FF\u0800\u4E2D\xD800\xDBFF\xDC00\xDFFF");
        const std::string utf8 = utf8FromUtf16(text);
        ASSERT_EQ(utf16FromUtf8(utf8), text);
        for (std::size_t units = 0; units <= text.size(); ++units) {
            const bool insidePair = units > 0 && units < text.size() && isHigh(text[units - 1]) && isLow(text[units]);
            ASSERT_EQ(utf16OffsetOf(utf8, utf8OffsetOf(text, units)), insidePair ? units - 1 : units);
        }
    }
}

TEST(Utf16, bytes_that_start_no_sequence_read_as_replacement_characters) {
    const std::pair<std::string_view, std::wstring> cases[] = {
        {"\xFF", L"\uFFFD"},
        {"a\x80" "b", L"a\uFFFD" L"b"},
        {"\xE4\xB8", L"\uFFFD\uFFFD"},              // cut short
        {"\xC0\xAF", L"\uFFFD\uFFFD"},              // a longer form than needed
        {"\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},  // beyond U+10FFFF
        {"\xED\xA0\x80", L"\xD800"},                // a lone surrogate's own bytes
        {"\xF0\x9F\x98\x80", L"\xD83D\xDE00"},
        {std::string_view("\xE4\xB8\xAD", 2), L"\uFFFD\uFFFD"},  // a view that ends inside a sequence
    };
    for (const auto& [utf8, expected] : cases) {
        EXPECT_EQ(utf16FromUtf8(utf8), expected) << testing::PrintToString(utf8);
        EXPECT_EQ(utf16OffsetOf(utf8, utf8.size()), expected.size()) << testing::PrintToString(utf8);
    }
    EXPECT_EQ(utf8FromUtf16(std::wstring_view(L"\xD83D\xDE00", 1)), "\xED\xA0\xBD");  // and inside a pair
}

}  // namespace
}  // namespace zarn
