// The window's colours under Wine, with a stand-in for the system: what the window, the line
// and the tip are painted in for each theme, app mode and high contrast, and live changes.

#include <cstdint>
#include <string>

#include "tests/win32/main_window_fixture.hpp"
#include "tests/win32/visible_tip.hpp"
#include "window/win32/system_appearance.hpp"

namespace zarn::testing {
namespace {

// The system as a test sets it. Its colour for index i is RGB(i, 1, 2), told apart from the
// dark palette's and from one another.
struct StandInSystem final : SystemAppearance {
    bool dark = false;
    bool contrast = false;
    int darkAppsAsked = 0;
    int titleBarCalls = 0;
    bool titleBarDark = false;

    bool darkApps() override {
        ++darkAppsAsked;
        return dark;
    }
    bool highContrast() override { return contrast; }
    Rgb colour(int index) override { return {static_cast<std::uint8_t>(index), 1, 2}; }
    void setDarkTitleBar(HWND, bool toDark) override {
        ++titleBarCalls;
        titleBarDark = toDark;
    }
};

COLORREF systemColour(int index) { return RGB(index, 1, 2); }

class WindowThemeTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        standInForSystemAppearance(&system);
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        standInForSystemAppearance(nullptr);
    }

    // The line's text and background colours and its brush's, as the window answers the line.
    struct LineColours {
        COLORREF text, background, brush;
        bool operator==(const LineColours&) const = default;
    };
    LineColours lineColours() const {
        HDC dc = CreateCompatibleDC(nullptr);
        const auto brush = reinterpret_cast<HBRUSH>(
            SendMessageW(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(line)));
        LOGBRUSH painted{};
        GetObjectW(brush, sizeof painted, &painted);
        const LineColours colours{GetTextColor(dc), GetBkColor(dc), painted.lbColor};
        DeleteDC(dc);
        return colours;
    }

    // The colour the window erases its background with.
    COLORREF backgroundColour() const {
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP pixels = CreateBitmap(1, 1, 1, 32, nullptr);
        HGDIOBJ previous = SelectObject(dc, pixels);
        SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
        const COLORREF colour = GetPixel(dc, 0, 0);
        SelectObject(dc, previous);
        DeleteObject(pixels);
        DeleteDC(dc);
        return colour;
    }

    StandInSystem system;
};

// The GDI objects of this process. Wine 8 does not count them for GetGuiResources (it answers 0)
// but takes a handle's index in its table alone, so there each index is asked for its object.
DWORD gdiObjects() {
    if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return counted;
    DWORD live = 0;
    for (UINT_PTR index = 1; index <= 0xFFFF; ++index) live += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    return live;
}

TEST_F(WindowThemeTest, each_theme_app_mode_and_high_contrast_paints_its_colours_before_the_window_shows) {
    enum Kind { Light, Dark, HighContrast };
    struct Case {
        const char* file;
        bool darkApps;
        bool highContrast;
        Kind painted;
        bool appModeAsked;
    };
    const Case cases[] = {
        {"theme = auto", false, false, Light, true},          {"theme = auto", true, false, Dark, true},
        {"theme = auto", false, true, HighContrast, false},   {"theme = auto", true, true, HighContrast, false},
        {"theme = light", false, false, Light, false},        {"theme = light", true, false, Light, false},
        {"theme = light", false, true, HighContrast, false},  {"theme = light", true, true, HighContrast, false},
        {"theme = dark", false, false, Dark, false},          {"theme = dark", true, false, Dark, false},
        {"theme = dark", false, true, HighContrast, false},   {"theme = dark", true, true, HighContrast, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.file) + (c.darkApps ? ", dark apps" : ", light apps") +
                     (c.highContrast ? ", high contrast" : ""));
        system = StandInSystem{};
        system.dark = c.darkApps;
        system.contrast = c.highContrast;
        folder.write("zarn.ini", c.file);
        create();
        // The tip is made when first shown: a refused line shows it.
        setLine("(1/0)", 5, 5);
        type(' ');
        HWND tip = visibleTipOf(window);
        ASSERT_NE(tip, nullptr);
        const COLORREF tipColours[] = {static_cast<COLORREF>(SendMessageW(tip, TTM_GETTIPBKCOLOR, 0, 0)),
                                       static_cast<COLORREF>(SendMessageW(tip, TTM_GETTIPTEXTCOLOR, 0, 0))};
        if (c.painted == Dark) {
            EXPECT_EQ(lineColours(), (LineColours{RGB(255, 255, 255), RGB(32, 32, 32), RGB(32, 32, 32)}));
            EXPECT_EQ(backgroundColour(), RGB(32, 32, 32));
            EXPECT_EQ(tipColours[0], RGB(43, 43, 43));
            EXPECT_EQ(tipColours[1], RGB(255, 255, 255));
        } else {
            const COLORREF windowColour = systemColour(COLOR_WINDOW);
            EXPECT_EQ(lineColours(), (LineColours{systemColour(COLOR_WINDOWTEXT), windowColour, windowColour}));
            EXPECT_EQ(backgroundColour(), c.painted == Light ? systemColour(COLOR_BTNFACE) : windowColour);
            EXPECT_EQ(tipColours[0], systemColour(COLOR_INFOBK));
            EXPECT_EQ(tipColours[1], systemColour(COLOR_INFOTEXT));
        }
        // Only a dark window's title bar is touched, and WinRT asked only where it decides.
        EXPECT_EQ(system.titleBarCalls, c.painted == Dark ? 1 : 0);
        EXPECT_EQ(system.titleBarDark, c.painted == Dark);
        EXPECT_EQ(system.darkAppsAsked > 0, c.appModeAsked);
        DestroyWindow(window);
    }
}

// Each change of app mode, colours or high contrast repaints the line in the new colours and
// replaces the brushes, deleting the old ones; the line keeps its text, selection and focus.
TEST_F(WindowThemeTest, a_thousand_changes_repaint_the_line_and_leave_the_gdi_objects_as_they_were) {
    create();
    ShowWindow(window, SW_SHOWNOACTIVATE);
    SetFocus(line);
    setLine("1 2 3", 2, 3);
    const DWORD before = gdiObjects();
    for (int change = 0; change < 1000; ++change) {
        system.dark = change % 2 == 0;
        system.contrast = change % 7 == 3;
        ValidateRect(window, nullptr);
        ValidateRect(line, nullptr);
        switch (change % 3) {
        case 0: SendMessageW(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet")); break;
        case 1: SendMessageW(window, WM_SYSCOLORCHANGE, 0, 0); break;
        default: SendMessageW(window, WM_THEMECHANGED, 0, 0); break;
        }
        const bool dark = system.dark && !system.contrast;
        const COLORREF text = dark ? RGB(255, 255, 255) : systemColour(COLOR_WINDOWTEXT);
        if (lineColours().text != text || !GetUpdateRect(line, nullptr, FALSE)) {
            ADD_FAILURE() << "change " << change << ": the line is not repainted in its new colours";
            break;
        }
    }
    EXPECT_EQ(gdiObjects(), before);
    EXPECT_EQ(readLine(), (LineState{"1 2 3", 2, 3}));
    EXPECT_EQ(GetFocus(), line);
}

}  // namespace
}  // namespace zarn::testing
