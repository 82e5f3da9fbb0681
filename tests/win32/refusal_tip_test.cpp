// The tip beside the input line under Wine: shown with the keystroke logic's message for a
// refused or cut line, taken away by whatever makes it stale, and pointing at the token.

#include <cstring>
#include <functional>
#include <string>

#include "tests/win32/main_window_fixture.hpp"
#include "tests/win32/visible_tip.hpp"
#include "window/keystroke.hpp"
#include "window/win32/refusal_tip.hpp"

namespace zarn::testing {
namespace {

// Where the control itself draws the character at `offset` (UTF-16 units).
long drawnX(HWND control, std::size_t offset) {
    return static_cast<short>(LOWORD(SendMessageW(control, EM_POSFROMCHAR, offset, 0)));
}

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
        EXPECT_EQ(windowTextOf(tip), answer.tip->message);
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
    HWND tip = typeAtEnd("(1/0)", ' ');
    ASSERT_NE(tip, nullptr);
    DestroyWindow(line);
    EXPECT_FALSE(IsWindow(tip)) << "the tip outlives the input line";
}

// The anchor against where the control draws: a long line scrolled to one end or the other.
TEST_F(RefusalTipTest, the_tip_points_below_the_span_in_view_or_at_the_nearest_visible_edge) {
    std::string text = "(1/0)";
    for (int i = 0; i < 200; ++i) text += " 1";
    text += " 99999999999999999999";
    const std::size_t n = text.size();
    enum class Expect { LeftEdge, RightEdge, DrawnAt };
    struct AnchorCase {
        const char* name;
        std::size_t caret, start, end;
        Expect expect;
        std::size_t drawnAt = 0;  // DrawnAt: where the control draws this offset
    };
    const AnchorCase cases[] = {
        {"scrolled out to the left", n, 0, 5, Expect::LeftEdge},
        {"scrolled out to the right", 0, n - 20, n, Expect::RightEdge},
        {"in view: the middle of its equal digits", n, n - 20, n, Expect::DrawnAt, n - 10},
        {"in view: a point between two characters", 0, 2, 2, Expect::DrawnAt, 2},
    };
    create();
    RECT format{};
    SendMessageW(line, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    RECT client{};
    GetClientRect(line, &client);
    for (const AnchorCase& c : cases) {
        SCOPED_TRACE(c.name);
        setLine(text, c.caret, c.caret);
        SendMessageW(line, EM_SCROLLCARET, 0, 0);
        const POINT anchor = tipAnchor(line, c.start, c.end);
        EXPECT_EQ(anchor.y, client.bottom);
        switch (c.expect) {
        case Expect::LeftEdge: EXPECT_EQ(anchor.x, format.left); break;
        case Expect::RightEdge: EXPECT_EQ(anchor.x, format.right); break;
        case Expect::DrawnAt: EXPECT_NEAR(anchor.x, drawnX(line, c.drawnAt), 1); break;
        }
    }
}

}  // namespace
}  // namespace zarn::testing
