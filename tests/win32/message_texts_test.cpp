// The window's texts as this program's string tables hold them (the test links messages.rc, as
// zarn.exe does), read the way the window reads them.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "tests/win32/main_window_fixture.hpp"
#include "tests/win32/visible_tip.hpp"
#include "window/utf16.hpp"
#include "window/win32/message_texts.hpp"

namespace zarn {
namespace {

using testing::MainWindowTest;

// The placeholders and the access key's "&" of a pattern, in any order.
std::vector<std::string> markersOf(std::string_view pattern) {
    std::vector<std::string> markers;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '&') markers.emplace_back("&");
        if (pattern[i] == '%' && i + 1 < pattern.size()) markers.emplace_back(pattern.substr(i++, 2));
    }
    std::sort(markers.begin(), markers.end());
    return markers;
}

// The byte a character shows where UTF-8 was read as Windows-1252 (Latin-1 from 0xA0 on).
std::optional<unsigned> misreadByte(wchar_t c) {
    static constexpr std::wstring_view from0x80 =
        L"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039\u0152\u008D\u017D\u008F"
        L"\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178";
    if (c >= 0xA0 && c <= 0xFF) return static_cast<unsigned>(c);
    const std::size_t at = from0x80.find(c);
    return at == std::wstring_view::npos ? std::nullopt : std::optional<unsigned>(0x80 + at);
}

// Mojibake: a replacement character, or the characters of a UTF-8 sequence read as Windows-1252
// (a lead byte, then its continuation bytes), as "Ã¼" for "ü".
bool looksMisdecoded(std::wstring_view text) {
    if (text.find(L'\uFFFD') != std::wstring_view::npos) return true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::optional<unsigned> lead = misreadByte(text[i]);
        if (!lead || *lead < 0xC2 || *lead > 0xF4) continue;
        const std::size_t continuations = *lead < 0xE0 ? 1 : *lead < 0xF0 ? 2 : 3;
        std::size_t k = 1;
        for (; k <= continuations && i + k < text.size(); ++k) {
            const std::optional<unsigned> byte = misreadByte(text[i + k]);
            if (!byte || *byte > 0xBF) break;
        }
        if (k > continuations) return true;
    }
    return false;
}

TEST(MessageTexts, every_language_has_every_text_with_englishs_placeholders_and_no_mojibake) {
    const HMODULE program = GetModuleHandleW(nullptr);
    for (const Language language : allLanguages) {
        for (const EnglishText& english : englishTexts()) {
            SCOPED_TRACE(std::string(languageTag(language)) + " text " + std::to_string(static_cast<int>(english.id)));
            const std::optional<std::string> pattern = findPattern(program, language, english.id);
            ASSERT_TRUE(pattern.has_value());  // present and not empty
            if (language == Language::English) {
                EXPECT_EQ(*pattern, english.pattern);
            }
            EXPECT_EQ(markersOf(*pattern), markersOf(english.pattern)) << *pattern;
            EXPECT_FALSE(looksMisdecoded(utf16FromUtf8(*pattern))) << *pattern;
        }
    }
}

// zarn.ini's language reaches the tip, whatever the system's; a message longer in German than in
// English wraps rather than running off as one long line, and stays on the screen.
TEST_F(MainWindowTest, a_tip_in_the_language_of_zarn_ini_wraps_and_stays_on_the_screen) {
    folder.write("zarn.ini", "language = de");
    create();
    const std::string number = "99999999999999999999";
    setLine(number, number.size(), number.size());
    type(' ');
    HWND tip = testing::visibleTipOf(window);
    ASSERT_NE(tip, nullptr);
    const std::wstring text = utf16FromUtf8(testing::windowTextOf(tip));
    EXPECT_EQ(utf8FromUtf16(text), "„" + number + "“ ist zu groß oder zu genau, um exakt gespeichert zu werden");
    useLanguage(std::nullopt);  // the process's other tests speak the system's language

    SIZE oneLine{};
    HDC dc = GetDC(tip);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(tip, WM_GETFONT, 0, 0)));
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &oneLine);
    SelectObject(dc, previous);
    ReleaseDC(tip, dc);
    RECT shown{};
    GetWindowRect(tip, &shown);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(tip, MONITOR_DEFAULTTONEAREST), &monitor);
    EXPECT_LT(shown.right - shown.left, oneLine.cx);
    EXPECT_GE(shown.left, monitor.rcMonitor.left);
    EXPECT_LE(shown.right, monitor.rcMonitor.right);
}

}  // namespace
}  // namespace zarn
