// The window's colours under Wine, with a stand-in for the system: what the window, the line
// and the tip are painted in for each theme, app mode and high contrast, and live changes.

#include <array>
#include <chrono>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "tests/win32/main_window_fixture.hpp"
#include "tests/win32/visible_tip.hpp"
#include "window/win32/handles.hpp"
#include "window/win32/system_appearance.hpp"

namespace zarn::testing {
namespace {

// The system as a test sets it, in the system's place while it lives. Its colour i is
// RGB(i, 1, 2), unlike any other it gives.
struct StandInSystem final : SystemAppearance {
    StandInSystem(bool darkApps, bool highContrast) : dark(darkApps), contrast(highContrast) {
        standInForSystemAppearance(this);
    }
    ~StandInSystem() override { standInForSystemAppearance(nullptr); }
    bool dark, contrast;
    int asked = 0;
    std::vector<bool> titleBarsSet;
    void askDarkApps(HWND) override { ++asked; }
    bool darkApps(std::chrono::milliseconds) override { return dark; }
    bool highContrast() override { return contrast; }
    Rgb colour(int index) override { return {static_cast<BYTE>(index), 1, 2}; }
    void setDarkTitleBar(HWND, bool toDark) override { titleBarsSet.push_back(toDark); }
};
COLORREF systemColour(int index) { return RGB(index, 1, 2); }

// The line's text, background and brush, the window's background, the tip's background and text.
using Colours = std::array<COLORREF, 6>;

// As the window answers the line and erases its background, and as its tip shown has them.
Colours paintedIn(HWND window, HWND line) {
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const std::unique_ptr<void, GdiObjectDeleter> pixel(CreateBitmap(1, 1, 1, 32, nullptr));
    const SelectedObject selected(dc.get(), pixel.get());
    SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
    const LRESULT answer = SendMessageW(window, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc.get()),
                                        reinterpret_cast<LPARAM>(line));
    LOGBRUSH brush{};
    GetObjectW(reinterpret_cast<HBRUSH>(answer), sizeof brush, &brush);
    HWND tip = visibleTipOf(window);
    return {GetTextColor(dc.get()), GetBkColor(dc.get()), brush.lbColor, GetPixel(dc.get(), 0, 0),
            static_cast<COLORREF>(SendMessageW(tip, TTM_GETTIPBKCOLOR, 0, 0)),
            static_cast<COLORREF>(SendMessageW(tip, TTM_GETTIPTEXTCOLOR, 0, 0))};
}

// The GDI objects of this process. Wine 8 answers 0 for GetGuiResources but takes a handle's
// index in its table alone, so there each index is asked for its object.
DWORD gdiObjects() {
    if (const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return counted;
    DWORD live = 0;
    for (UINT_PTR index = 1; index <= 0xFFFF; ++index) live += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    return live;
}

TEST_F(MainWindowTest, each_theme_app_mode_and_high_contrast_paints_its_colours_before_the_window_shows) {
    const COLORREF back = systemColour(COLOR_WINDOW), text = systemColour(COLOR_WINDOWTEXT);
    const COLORREF info = systemColour(COLOR_INFOBK), infoText = systemColour(COLOR_INFOTEXT);
    const COLORREF white = RGB(255, 255, 255), nearBlack = RGB(32, 32, 32);
    const Colours light{text, back, back, systemColour(COLOR_BTNFACE), info, infoText};
    const Colours contrast{text, back, back, back, info, infoText};
    const Colours dark{white, nearBlack, nearBlack, nearBlack, RGB(43, 43, 43), white};
    // zarn.ini, dark apps, high contrast, the colours
    const std::tuple<const char*, bool, bool, const Colours*> cases[] = {
        {"theme = auto", false, false, &light},     {"theme = auto", true, false, &dark},
        {"theme = auto", false, true, &contrast},   {"theme = auto", true, true, &contrast},
        {"theme = light", false, false, &light},    {"theme = light", true, false, &light},
        {"theme = light", false, true, &contrast},  {"theme = light", true, true, &contrast},
        {"theme = dark", false, false, &dark},      {"theme = dark", true, false, &dark},
        {"theme = dark", false, true, &contrast},   {"theme = dark", true, true, &contrast},
    };
    for (const auto& [file, darkApps, highContrast, colours] : cases) {
        SCOPED_TRACE(std::string(file) + (darkApps ? ", dark apps" : "") + (highContrast ? ", contrast" : ""));
        StandInSystem system(darkApps, highContrast);
        folder.write("zarn.ini", file);
        create();
        setLine("(1/0)", 5, 5);
        type(' ');  // a refused line makes the tip
        EXPECT_EQ(paintedIn(window, line), *colours);
        // Only a dark window's title bar is touched, and the app mode asked only where it decides.
        EXPECT_EQ(system.titleBarsSet, std::vector<bool>(colours == &dark ? 1 : 0, true));
        EXPECT_EQ(system.asked, std::string(file) == "theme = auto" && !highContrast ? 1 : 0);
        DestroyWindow(window);
    }
}

// The frames drawn anew in this thread since it was made, through a hook on its window procedures.
struct FrameChanges {
    FrameChanges() { hook = SetWindowsHookExW(WH_CALLWNDPROC, record, nullptr, GetCurrentThreadId()); }
    ~FrameChanges() { UnhookWindowsHookEx(hook); }
    static LRESULT CALLBACK record(int code, WPARAM wParam, LPARAM lParam) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && sent->message == WM_WINDOWPOSCHANGING &&
            (reinterpret_cast<const WINDOWPOS*>(sent->lParam)->flags & SWP_FRAMECHANGED)) {
            ++count;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static inline std::size_t count = 0;
    HHOOK hook;
};

// Each change repaints the line in its new colours and replaces the brushes, deleting the old
// ones, and draws the frame anew where the title bar changed; the line keeps its text, selection
// and focus.
TEST_F(MainWindowTest, a_thousand_changes_of_theme_repaint_the_line_and_leave_the_gdi_objects_as_they_were) {
    StandInSystem system(false, false);
    create();
    ShowWindow(window, SW_SHOWNOACTIVATE);
    SetFocus(line);
    setLine("1 2 3", 2, 3);
    const DWORD before = gdiObjects();
    const FrameChanges frames;
    FrameChanges::count = 0;
    const UINT changes[] = {WM_SETTINGCHANGE, WM_SYSCOLORCHANGE, WM_THEMECHANGED};
    for (int change = 0; change < 1000; ++change) {
        system.dark = change % 2 == 0;
        system.contrast = change % 7 == 3;
        ValidateRect(line, nullptr);
        SendMessageW(window, changes[change % 3], 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
        const COLORREF text = system.dark && !system.contrast ? RGB(255, 255, 255) : systemColour(COLOR_WINDOWTEXT);
        if (paintedIn(window, line)[0] != text || !GetUpdateRect(line, nullptr, FALSE)) {
            ADD_FAILURE() << "change " << change << " does not repaint the line in its colours";
            break;
        }
    }
    EXPECT_EQ(gdiObjects(), before);
    EXPECT_EQ(FrameChanges::count, system.titleBarsSet.size());
    EXPECT_EQ(readLine(), (LineState{"1 2 3", 2, 3}));
    EXPECT_EQ(GetFocus(), line);
    DestroyWindow(window);  // while the stand-in is in the system's place
}

}  // namespace
}  // namespace zarn::testing
