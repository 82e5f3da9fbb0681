// The main window under Wine: geometry, font and settings from zarn.ini, failures at creation,
// and the message loop's end.

#include <cmath>
#include <cstring>
#include <functional>
#include <stdexcept>
#include <string>
#include <tuple>

#include "tests/win32/main_window_fixture.hpp"
#include "window/number_conversion.hpp"
#include "window/win32/file_bytes.hpp"
#include "window/win32/pending_exception.hpp"

namespace zarn::testing {
namespace {

RECT clientRect(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

RECT windowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

LOGFONTW fontOf(HWND control) {
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
    return font;
}

std::string faceOf(HWND control) { return utf8FromUtf16(fontOf(control).lfFaceName); }

// The line height the font really has, asked of GDI by another route than the window's.
int fontLineHeight(HWND control) {
    HDC dc = GetDC(control);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(control, dc);
    return metrics.tmHeight;
}

int screenDpi() {
    HDC dc = GetDC(nullptr);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi;
}

TEST_F(MainWindowTest, without_zarn_ini_the_client_area_is_500_wide_and_one_line_high) {
    create();
    const RECT client = clientRect(window);
    EXPECT_EQ(client.right, 500);
    EXPECT_EQ(client.bottom, fontLineHeight(line));
    const LOGFONTW font = fontOf(line);
    EXPECT_EQ(faceOf(line), "Century");
    EXPECT_EQ(font.lfHeight, -(14 * screenDpi() / 72));
    EXPECT_EQ(font.lfCharSet, DEFAULT_CHARSET);  // the face name, in any script, decides
    EXPECT_EQ(font.lfQuality, CLEARTYPE_QUALITY);
}

TEST_F(MainWindowTest, the_input_line_fills_the_client_area_and_has_the_focus) {
    create();
    const RECT client = clientRect(window);
    const RECT control = clientRect(line);
    EXPECT_EQ(control.right, client.right);
    EXPECT_EQ(control.bottom, client.bottom);
    EXPECT_EQ(GetFocus(), line);
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)) & 0x00CF0000u, 0x00CE0000u);
}

TEST_F(MainWindowTest, the_focus_given_to_the_window_goes_on_to_the_input_line) {
    create();
    ShowWindow(window, SW_SHOW);
    const std::pair<const char*, std::function<void()>> routes[] = {
        {"focus on the window", [this] { SetFocus(window); }},
        {"minimised and restored", [this] { ShowWindow(window, SW_MINIMIZE), ShowWindow(window, SW_RESTORE); }},
    };
    for (const auto& [name, route] : routes) {
        SetFocus(nullptr);
        route();
        EXPECT_EQ(GetFocus(), line) << name;
    }
}

TEST_F(MainWindowTest, sizing_keeps_the_outer_height) {
    create();
    const RECT before = windowRect(window);
    const LONG height = before.bottom - before.top;
    for (int edge : {WMSZ_BOTTOM, WMSZ_TOP, WMSZ_RIGHT}) {
        RECT proposed{before.left + 3, before.top - 40, before.right + 70, before.bottom + 90};
        SendMessageA(window, WM_SIZING, static_cast<WPARAM>(edge), reinterpret_cast<LPARAM>(&proposed));
        EXPECT_EQ(proposed.bottom - proposed.top, height) << "edge " << edge;
        EXPECT_EQ(proposed.top, before.top - 40);
        EXPECT_EQ(proposed.left, before.left + 3);
        EXPECT_EQ(proposed.right, before.right + 70);
    }
}

TEST_F(MainWindowTest, a_wider_window_stretches_the_input_line) {
    create();
    const RECT outer = windowRect(window);
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + 150, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(clientRect(window).right, 650);
    EXPECT_EQ(clientRect(line).right, 650);
}

TEST_F(MainWindowTest, zarn_ini_sets_face_size_and_width) {
    folder.write("zarn.ini", "font = Courier New, 12\r\nsize = 321\r\n");
    create();
    const LOGFONTW font = fontOf(line);
    EXPECT_EQ(faceOf(line), "Courier New");
    EXPECT_EQ(font.lfHeight, -std::lround(12.0 * screenDpi() / 72.0));
    EXPECT_EQ(clientRect(window).right, 321);
    EXPECT_EQ(clientRect(window).bottom, fontLineHeight(line));
}

TEST_F(MainWindowTest, a_negative_width_counts_back_from_the_work_area) {
    folder.write("zarn.ini", "size = -100");
    create();
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    EXPECT_EQ(clientRect(window).right, area.right - area.left - 100);
}

TEST_F(MainWindowTest, a_width_beyond_the_screen_gives_the_widest_window_the_system_allows) {
    for (const char* size : {"100000", "2147483600", "2147483647"}) {
        folder.write("zarn.ini", std::string("size = ") + size);
        create();
        const RECT outer = windowRect(window);
        EXPECT_EQ(outer.right - outer.left, GetSystemMetrics(SM_CXMAXTRACK)) << size;
        EXPECT_EQ(clientRect(line).right, clientRect(window).right) << size;
        EXPECT_EQ(clientRect(window).bottom, fontLineHeight(line)) << size;
        DestroyWindow(window);
    }
}

// The frame's height at `dpi`, from the system's own sizing of a window with the main window's
// style: the outer height of one line there is the height of "X" plus this.
LONG frameHeightAt(HWND window, UINT dpi) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)), dpi);
    return frame.bottom - frame.top;
}

TEST_F(MainWindowTest, a_new_resolution_remakes_the_font_and_the_height_and_keeps_the_line) {
    struct Case {
        const char* file;  // zarn.ini, or none
        LONG heightAt96;
        LONG heightAt144;
    };
    const Case cases[] = {
        {nullptr, -18, -28},                   // the default 14 points, truncated
        {"font = Courier New, 12", -16, -24},  // a configured size, rounded
        // Beyond 65,535 pixels a font is measured 1 pixel high: such a size is skipped.
        {"font = 49152", -18, -28},
        {"font = 100000", -18, -28},
        {"font = 12, 49152", -16, -24},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file ? c.file : "no zarn.ini");
        if (c.file) folder.write("zarn.ini", c.file);
        create();
        setLine("1 2 (3/4)", 2, 5);
        const LineState typed = readLine();
        for (const auto& [dpi, height] : {std::pair{144u, c.heightAt144}, std::pair{96u, c.heightAt96}}) {
            SCOPED_TRACE(dpi);
            const RECT before = windowRect(window);
            RECT suggested{before.left + 30, before.top + 20, before.right + 30 + 250, before.bottom + 40};
            SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
            EXPECT_EQ(fontOf(line).lfHeight, height);
            const RECT outer = windowRect(window);
            EXPECT_EQ(outer.left, suggested.left);
            EXPECT_EQ(outer.top, suggested.top);
            EXPECT_EQ(outer.right, suggested.right);
            EXPECT_EQ(outer.bottom - outer.top, fontLineHeight(line) + frameHeightAt(window, dpi));
            RECT proposed{outer.left, outer.top - 10, outer.right + 5, outer.bottom + 60};
            SendMessageW(window, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&proposed));
            EXPECT_EQ(proposed.bottom - proposed.top, outer.bottom - outer.top);
            EXPECT_EQ(readLine(), typed);
        }
        // Back at the resolution Wine really draws at, the client area is one line high.
        EXPECT_EQ(clientRect(window).bottom, fontLineHeight(line));
        EXPECT_EQ(clientRect(line).right, clientRect(window).right);
        DestroyWindow(window);
    }
}

bool isTopmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }
bool onTopChecked(HWND window) {
    return (GetMenuState(GetSystemMenu(window, FALSE), alwaysOnTopCommand, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// "Always on top" stands just above Close, a separator between them, once, whatever other
// programs post; choosing it puts the window above the others or back among them, and its check
// mark says which, whoever changed it. The line keeps its text, selection and the focus.
TEST_F(MainWindowTest, always_on_top_in_the_system_menu_toggles_the_window_and_tells_the_truth) {
    create();
    SetFocus(nullptr);
    for (int i = 0; i < 3; ++i) SendMessageW(window, WM_APP, 0, 0);  // as any program may post it
    EXPECT_EQ(GetFocus(), nullptr) << "the focus taken by another program's message";
    HMENU menu = GetSystemMenu(window, FALSE);
    int close = -1;
    int onTopItems = 0;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (GetMenuItemID(menu, i) == SC_CLOSE) close = i;
        if (GetMenuItemID(menu, i) == alwaysOnTopCommand) ++onTopItems;
    }
    EXPECT_EQ(onTopItems, 1);
    ASSERT_GE(close, 2);
    EXPECT_EQ(GetMenuItemID(menu, close - 2), alwaysOnTopCommand);
    EXPECT_NE(GetMenuState(menu, static_cast<UINT>(close - 1), MF_BYPOSITION) & MF_SEPARATOR, 0u);
    wchar_t text[64] = L"";
    GetMenuStringW(menu, alwaysOnTopCommand, text, static_cast<int>(std::size(text)), MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(text), L"Always on &top");

    const auto choose = [this] { SendMessageW(window, WM_SYSCOMMAND, alwaysOnTopCommand, 0); };
    const auto byAnotherProgram = [this](HWND where) {
        SetWindowPos(window, where, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SendMessageW(window, WM_INITMENU, reinterpret_cast<WPARAM>(GetSystemMenu(window, FALSE)), 0);
    };
    const std::tuple<const char*, std::function<void()>, bool> steps[] = {
        {"chosen", choose, true},
        {"chosen again", choose, false},
        {"put on top by another program", [&] { byAnotherProgram(HWND_TOPMOST); }, true},
        {"chosen then", choose, false},
    };
    ShowWindow(window, SW_SHOW);
    setLine("1 2 3", 2, 3);
    SetFocus(line);
    EXPECT_FALSE(isTopmost(window));
    EXPECT_FALSE(onTopChecked(window));
    for (const auto& [name, step, onTop] : steps) {
        SCOPED_TRACE(name);
        step();
        EXPECT_EQ(isTopmost(window), onTop);
        EXPECT_EQ(onTopChecked(window), onTop);
        EXPECT_EQ(readLine(), (LineState{"1 2 3", 2, 3}));
        EXPECT_EQ(GetFocus(), line);
    }
}

TEST_F(MainWindowTest, ontop_in_zarn_ini_opens_the_window_on_top_or_not) {
    for (const auto& [file, onTop] : {std::pair{"ontop = yes", true}, std::pair{"ontop = no", false}}) {
        SCOPED_TRACE(file);
        folder.write("zarn.ini", file);
        create();
        EXPECT_EQ(isTopmost(window), onTop);
        EXPECT_EQ(onTopChecked(window), onTop);
        DestroyWindow(window);
    }
}

// The font record holds the face in UTF-16: a name in any script is asked for as written, and a
// long one is cut to the record's 31 units, never inside a character.
TEST_F(MainWindowTest, the_face_name_is_asked_for_in_utf16_cut_to_31_units) {
    const std::pair<std::string, std::string> faces[] = {
        {"Gr\xC3\xBCne Mono", "Gr\xC3\xBCne Mono"},
        {"\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF",
         "\xEF\xBC\xAD\xEF\xBC\xB3 \xE3\x82\xB4\xE3\x82\xB7\xE3\x83\x83\xE3\x82\xAF"},
        {"Abcdefghijklmnopqrstuvwxyz0123456789", "Abcdefghijklmnopqrstuvwxyz01234"},
        {"Abcdefghijklmnopqrstuvwxyz0123\xF0\x9F\x98\x80", "Abcdefghijklmnopqrstuvwxyz0123"},
    };
    for (const auto& [face, asked] : faces) {
        SCOPED_TRACE(face);
        folder.write("zarn.ini", "font = " + face);
        create();
        EXPECT_EQ(faceOf(line), asked);
        DestroyWindow(window);
    }
}

TEST_F(MainWindowTest, a_refused_zarn_ini_fails_creation_with_its_message) {
    folder.write("zarn.ini", "size = 1.5");
    EXPECT_EQ(createMainWindow(GetModuleHandleA(nullptr)), nullptr);
    EXPECT_EQ(windowOfThisThread(mainWindowClass), nullptr);
    ASSERT_TRUE(hasPendingException());
    try {
        rethrowPendingException();
        FAIL() << "no exception";
    } catch (const ConversionException& error) {
        EXPECT_EQ(error.message(), "conversion 1.5");
    }
    EXPECT_FALSE(hasPendingException());
}

TEST_F(MainWindowTest, an_unreadable_zarn_ini_is_a_file_error_named_after_the_file) {
    folder.makeFolder("zarn.ini");
    try {
        runMainWindow(GetModuleHandleA(nullptr), SW_HIDE);
        FAIL() << "no exception";
    } catch (const FileException& error) {
        EXPECT_EQ(error.message().rfind("zarn.ini: ", 0), 0u) << error.message();
        EXPECT_GT(error.message().size(), std::strlen("zarn.ini: "));
    }
}

// Types Escape into the running window from a timer, as a user would, to end the loop.
void CALLBACK pressEscape(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    HWND window = windowOfThisThread(mainWindowClass);
    SendMessageW(GetWindow(window, GW_CHILD), WM_CHAR, 27, 1);
}

TEST_F(MainWindowTest, escape_ends_the_message_loop_with_exit_code_0) {
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, pressEscape);
    ASSERT_NE(timer, 0u);
    EXPECT_EQ(runMainWindow(GetModuleHandleA(nullptr), SW_HIDE), 0);
    EXPECT_EQ(windowOfThisThread(mainWindowClass), nullptr);
}

// What happens to the main window while a warning box of its creation is up, done from the box's
// own message loop; then the box is closed as a user would. Counts the boxes it saw.
std::function<void(HWND mainWindow)> duringTheBox;
int boxesSeen = 0;

void CALLBACK actWhileTheBoxIsUp(HWND, UINT, UINT_PTR, DWORD) {
    HWND box = windowOfThisThread(L"#32770");
    if (!box || GetPropW(box, L"seen")) return;
    SetPropW(box, L"seen", box);
    if (++boxesSeen == 1) duringTheBox(windowOfThisThread(mainWindowClass));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// A close asked for while the first of two warning boxes is up (as taskkill or a restart of the
// system asks) ends the program once the box is closed, without the second box, the box of a
// value that would stop it, or the window ever showing; a window destroyed there fails creation
// without touching what went with it.
TEST_F(MainWindowTest, a_window_asked_to_close_or_destroyed_during_a_warning_box_ends_cleanly) {
    folder.write("zarn.ini", "[x]\r\n[y]\r\nontop = maybe\r\n");
    duringTheBox = [](HWND mainWindow) { PostMessageW(mainWindow, WM_CLOSE, 0, 0); };
    boxesSeen = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 10, actWhileTheBoxIsUp);
    EXPECT_EQ(runMainWindow(GetModuleHandleA(nullptr), SW_SHOW), 0);
    KillTimer(nullptr, timer);
    EXPECT_EQ(boxesSeen, 1);
    EXPECT_EQ(windowOfThisThread(mainWindowClass), nullptr);

    duringTheBox = [](HWND mainWindow) {
        try {
            throw std::runtime_error("thrown during a box");
        } catch (...) {
            keepPendingException(mainWindow, WM_TIMER);
        }
    };
    boxesSeen = 0;
    timer = SetTimer(nullptr, 0, 10, actWhileTheBoxIsUp);
    EXPECT_THROW(runMainWindow(GetModuleHandleA(nullptr), SW_SHOW), std::runtime_error);
    KillTimer(nullptr, timer);
    EXPECT_EQ(boxesSeen, 1);
    EXPECT_EQ(windowOfThisThread(mainWindowClass), nullptr);
}

}  // namespace
}  // namespace zarn::testing

namespace zarn::testing {
namespace {

TEST_F(MainWindowTest, an_exception_in_a_later_message_destroys_the_window_and_ends_the_loop) {
    create();
    try {
        throw std::runtime_error("thrown while typing");
    } catch (...) {
        keepPendingException(window, WM_CHAR);
    }
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(runMessageLoop(), 0);  // the quit message from WM_DESTROY is waiting
    EXPECT_THROW(rethrowPendingException(), std::runtime_error);
    EXPECT_FALSE(hasPendingException());
}

}  // namespace
}  // namespace zarn::testing
