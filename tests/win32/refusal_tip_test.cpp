// The tip beside the input line under Wine: shown with the keystroke logic's message for a
// refused or cut line, taken away by whatever makes it stale, and pointing at the token.

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "tests/win32/main_window_fixture.hpp"
#include "tests/win32/visible_tip.hpp"
#include "window/keystroke.hpp"
#include "window/win32/message_texts.hpp"
#include "window/win32/refusal_tip.hpp"

namespace zarn::testing {
namespace {

class RefusalTipTest : public MainWindowTest {
protected:
    // Types `code` at the end of `text`; returns the tip then shown, or null.
    HWND typeAtEnd(const std::string& text, unsigned code) const {
        setLine(text, text.size(), text.size());
        type(code);
        return visibleTipOf(window);
    }
};

// The answer is the logic's own; here its line and its tip must reach the screen, the tip
// below the line, or no tip at all.
TEST_F(RefusalTipTest, a_refused_or_cut_line_shows_the_logics_tip_below_the_line_and_a_full_one_none) {
    const std::pair<const char*, unsigned> cases[] = {
        {"99999999999999999999", ' '},   // a number too large: refused, the line kept
        {"9223372036854775807 1", '+'},  // a result that does not fit: refused
        {"1 0", '/'},                    // a division by zero: the line cut, not refused
        {"1 2", '+'},                    // evaluated in full: no tip
    };
    create();
    for (const auto& [text, code] : cases) {
        SCOPED_TRACE(text);
        const KeystrokeAnswer answer = answerKeystroke(text, std::strlen(text), std::strlen(text), code, false);
        HWND tip = typeAtEnd(text, code);
        EXPECT_EQ(readLine().text, answer.action == KeystrokeAnswer::Action::Refuse ? text : answer.text);
        ASSERT_EQ(tip != nullptr, answer.tip.has_value());
        if (!tip) continue;
        EXPECT_EQ(windowTextOf(tip), shownText(answer.tip->message));
        RECT shown{}, lineArea{};
        GetWindowRect(tip, &shown);
        GetWindowRect(line, &lineArea);
        POINT anchor = tipAnchor(line, answer.tip->start, answer.tip->end);
        ClientToScreen(line, &anchor);
        EXPECT_EQ(shown.top, lineArea.bottom);
        EXPECT_TRUE(shown.left <= anchor.x && anchor.x < shown.right) << anchor.x;
    }
}

// Each of these leaves the tip pointing at something no longer there, or alone on the screen.
TEST_F(RefusalTipTest, the_next_key_a_click_the_focus_leaving_or_the_window_changing_takes_the_tip_away) {
    const std::pair<const char*, std::function<void()>> takers[] = {
        {"a key", [this] { SendMessageW(line, WM_KEYDOWN, VK_LEFT, 1); }},
        {"a typed character", [this] { type('7'); }},
        {"a click in the line", [this] { SendMessageW(line, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)); }},
        {"a click on the frame", [this] { SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0); }},
        {"the focus leaving", [] { SetFocus(nullptr); }},
        {"the window moving", [this] { SetWindowPos(window, nullptr, 40, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER); }},
        {"the window resized", [this] { SetWindowPos(window, nullptr, 0, 0, 300, 60, SWP_NOMOVE | SWP_NOZORDER); }},
        {"the window minimised", [this] { ShowWindow(window, SW_MINIMIZE); }},
        // The text changed by another program, whatever the message.
        {"WM_UNDO", [this] { SendMessageW(line, WM_UNDO, 0, 0); }},
        {"WM_CLEAR", [this] { SendMessageW(line, EM_SETSEL, 0, 1), SendMessageW(line, WM_CLEAR, 0, 0); }},
        {"WM_SETTEXT", [this] { SendMessageW(line, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"11 ")); }},
    };
    create();
    for (const auto& [name, take] : takers) {
        SCOPED_TRACE(name);
        SetFocus(line);
        HWND tip = typeAtEnd("(1/0)", ' ');
        ASSERT_NE(tip, nullptr);
        take();
        EXPECT_FALSE(IsWindowVisible(tip));
    }
}

// The tip is the input line's alone: made when first shown (the window starts without the
// common controls), owned by no window (the main window could not go on top under Wine if it
// were), and destroyed with the line, once.
TEST_F(RefusalTipTest, the_tip_belongs_to_the_input_line_alone) {
    create();
    EXPECT_EQ(windowOfThisThread(TOOLTIPS_CLASSW), nullptr) << "a tip made before it is needed";
    HWND tip = typeAtEnd("(1/0)", ' ');
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(GetWindow(tip, GW_OWNER), nullptr);
    DestroyWindow(line);
    EXPECT_FALSE(IsWindow(tip)) << "the tip outlives the input line";
}

// Surrogate pairs, combining marks and right-to-left text are drawn otherwise than measured one
// character after another, and beyond 65,536 characters the control counts offsets in 16 bits:
// the tip points where the control itself draws the token, at the end of the line or within it,
// or at the nearest edge of the line where the control draws it out of view (as it may, in a
// font that gives the marks a width).
TEST_F(RefusalTipTest, the_tip_points_at_the_middle_of_the_token_as_drawn_in_any_script) {
    std::string marks;  // drawn without width in most fonts: the token 70,000 characters in, in view
    for (int i = 0; i < 70000; ++i) marks += "\u0301";
    const std::string prefixes[] = {
        marks,
        std::string(70000, 'x') + " ",  // scrolled: the token far into a line of ordinary text
        std::string(140000, 'x') + " ",
        "12 34 ",
        "😀😀 ",
        "😀😀😀😀😀😀😀😀😀😀 ",
        "e\u0301e\u0301 αβ ",  // combining marks, Greek
        "中文 ",
        "שלום עולם 12 ",  // Hebrew: the line is laid out right to left
    };
    create();
    for (const UINT dpi : {96u, 144u}) {
        RECT suggested{};
        GetWindowRect(window, &suggested);
        SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
        for (const std::string& prefix : prefixes) {
            for (const char* suffix : {"", " 5"}) {
                const std::string text = prefix + "(1/0)" + suffix;
                SCOPED_TRACE(text.substr(text.size() - std::min<std::size_t>(text.size(), 60)) + " at " +
                             std::to_string(dpi) + " dpi");
                HWND tip = typeAtEnd(text, ' ');
                ASSERT_NE(tip, nullptr);
                const std::size_t start = utf16OffsetOf(text, prefix.size());
                RECT view{};
                SendMessageW(line, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&view));
                MapWindowPoints(line, nullptr, reinterpret_cast<POINT*>(&view), 2);
                EXPECT_NEAR(stemX(tip), std::clamp(drawnMiddle(line, start, start + 5), view.left, view.right), 2);
            }
        }
    }
}

}  // namespace
}  // namespace zarn::testing
