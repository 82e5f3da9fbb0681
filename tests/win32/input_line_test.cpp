// The input line under Wine: typed characters in, the control's text and selection out.

#include <cstdint>
#include <new>
#include <optional>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "tests/win32/main_window_fixture.hpp"
#include "tests/win32/visible_tip.hpp"
#include "window/win32/clipboard_text.hpp"
#include "window/win32/pending_exception.hpp"

// The largest block an allocation may take: lowered, it makes a paste larger than the memory left.
std::size_t largestAllocation = SIZE_MAX;

void* operator new(std::size_t size) {
    void* block = size <= largestAllocation ? HeapAlloc(GetProcessHeap(), 0, size ? size : 1) : nullptr;
    if (!block) throw std::bad_alloc();
    return block;
}
void operator delete(void* block) noexcept {
    if (block) HeapFree(GetProcessHeap(), 0, block);
}
void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace zarn::testing {
namespace {

struct KeystrokeCase {
    const char* name;
    LineState before;
    unsigned code;
    bool shift;
    LineState after;
};

const KeystrokeCase keystrokeCases[] = {
    {"plus_evaluates_the_line", {"1 2", 3, 3}, '+', false, {"3 ", 2, 2}},
    {"semicolon_adds", {"1 2", 3, 3}, ';', false, {"3 ", 2, 2}},
    {"colon_multiplies", {"2 3", 3, 3}, ':', false, {"6 ", 2, 2}},
    {"operator_at_the_caret_caret_to_the_end", {"2 3 4", 3, 3}, '*', false, {"6 4 ", 4, 4}},
    {"selection_is_replaced", {"12 34", 3, 5}, '+', false, {"12 ", 3, 3}},
    {"tab_is_a_space", {"7", 1, 1}, '\t', false, {"7 ", 2, 2}},
    {"enter_is_a_space", {"0.25", 4, 4}, '\r', false, {"(1/4) ", 6, 6}},
    {"shift_enter_shows_decimals", {"(1/4)", 5, 5}, '\r', true, {"0.25 ", 5, 5}},
    {"space_on_empty_line_stays_empty", {"", 0, 0}, ' ', false, {"", 0, 0}},
    {"division_by_zero_result_gets_no_second_space", {"1 0", 3, 3}, '/', false, {"1 ", 2, 2}},
    {"shift_backspace_clears", {"12 34", 2, 2}, '\b', true, {"", 0, 0}},
    {"backspace_is_the_controls_own", {"12 34", 5, 5}, '\b', false, {"12 3", 4, 4}},
    {"digit_is_the_controls_own", {"12", 1, 1}, '7', false, {"172", 2, 2}},
    {"ctrl_enter_is_the_controls_own", {"12", 2, 2}, '\n', false, {"12", 2, 2}},
    {"ctrl_backspace_deletes_the_word_before_the_caret", {"12 (1/3)", 8, 8}, 0x7F, false, {"12 ", 3, 3}},
    {"refused_number_keeps_text_and_caret", {"(1/0)", 5, 5}, ' ', false, {"(1/0)", 5, 5}},
    {"refused_number_keeps_selection", {"(1/0) 2", 6, 7}, '+', false, {"(1/0) 2", 6, 7}},
    {"too_large_result_is_refused", {"9223372036854775807 1", 21, 21}, '+', false,
     {"9223372036854775807 1", 21, 21}},
};

// Text beyond ASCII, read and written in UTF-16: offsets are bytes of UTF-8 here, and a
// character never moves the operator or changes, whatever the ANSI code page.
const KeystrokeCase unicodeCases[] = {
    {"operator_after_a_double_byte_character", {"中 1 2", 7, 7}, '+', false, {"3 ", 2, 2}},
    {"operator_after_a_surrogate_pair", {"😀 1 2", 8, 8}, '+', false, {"3 ", 2, 2}},
    {"operator_after_a_lone_surrogate", {"\xED\xA0\x80 1 2", 7, 7}, '+', false, {"3 ", 2, 2}},
    {"selection_after_non_ascii_is_replaced", {"é 12 34", 6, 8}, '+', false, {"12 ", 3, 3}},
    {"operator_before_non_ascii", {"1 2 中", 3, 3}, '*', false, {"2 ", 2, 2}},
    {"refused_line_keeps_its_characters_and_selection", {"中 (1/0)  😀", 11, 15}, ' ', false,
     {"中 (1/0)  😀", 11, 15}},
    {"refused_line_keeps_a_lone_surrogate", {"(1/0) \xED\xB0\x80", 5, 5}, ' ', false,
     {"(1/0) \xED\xB0\x80", 5, 5}},
    {"typed_double_byte_character_is_the_controls_own", {"1", 1, 1}, 0x4E2D, false, {"1中", 4, 4}},
};

void PrintTo(const KeystrokeCase& row, std::ostream* out) { *out << row.name; }

class InputLineTest : public MainWindowTest, public ::testing::WithParamInterface<KeystrokeCase> {};

TEST_P(InputLineTest, typed_character_gives_line_and_selection) {
    const KeystrokeCase& row = GetParam();
    create();
    setLine(row.before.text, row.before.start, row.before.end);
    type(row.code, row.shift);
    EXPECT_EQ(readLine(), row.after);
    EXPECT_TRUE(IsWindow(window));
}

INSTANTIATE_TEST_SUITE_P(KeyTable, InputLineTest, ::testing::ValuesIn(keystrokeCases),
                         [](const auto& row) { return std::string(row.param.name); });
INSTANTIATE_TEST_SUITE_P(Unicode, InputLineTest, ::testing::ValuesIn(unicodeCases),
                         [](const auto& row) { return std::string(row.param.name); });

using UnicodeLineTest = MainWindowTest;

// Characters posted as a keyboard would post them, high and low surrogate one after the other:
// an ANSI message loop would turn those outside the code page into "?".
TEST_F(UnicodeLineTest, typed_characters_reach_the_line_through_the_message_loop_unchanged) {
    create();
    const std::wstring typed = L"中é€😀";
    for (const wchar_t unit : typed) PostMessageW(line, WM_CHAR, unit, 1);
    PostQuitMessage(0);  // seen once the characters have been handled
    EXPECT_EQ(runMessageLoop(), 0);
    wchar_t text[16] = L"";
    SendMessageW(line, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
    EXPECT_EQ(std::wstring(text), typed);
}

// A key as the keyboard delivers it: the key's code, then the character TranslateMessage makes
// (none for 0), each with the key's scan code; a character alone (key 0) comes from elsewhere.
void pressKey(HWND line, WPARAM virtualKey, wchar_t character) {
    const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(static_cast<UINT>(virtualKey), MAPVK_VK_TO_VSC)) << 16;
    if (virtualKey) SendMessageW(line, WM_KEYDOWN, virtualKey, scanCode | 1);
    if (character) SendMessageW(line, WM_CHAR, character, scanCode | 1);
    if (virtualKey) SendMessageW(line, WM_KEYUP, virtualKey, scanCode | static_cast<LPARAM>(0xC0000001));
}

// The keypad's decimal key types "." whatever the layout types with it ("," on a German one),
// while the main keyboard's "," stays a ","; the keypad's operators and Enter are their twins'.
TEST_F(MainWindowTest, the_keypad_types_a_decimal_point_on_every_layout_and_its_operators_evaluate) {
    struct KeypadCase {
        const char* name;
        std::vector<std::pair<WPARAM, wchar_t>> keys;
        LineState after;
    };
    const KeypadCase cases[] = {
        {"keypad decimal with a German layout's \",\"",
         {{'1', '1'}, {VK_DECIMAL, ','}, {'5', '5'}, {VK_SPACE, ' '}, {'2', '2'}, {VK_MULTIPLY, '*'}}, {"3 ", 2, 2}},
        {"keypad decimal on a layout whose code is VK_SEPARATOR", {{'2', '2'}, {VK_SEPARATOR, ','}, {'5', '5'}},
         {"2.5", 3, 3}},
        {"the main keyboard's comma", {{'2', '2'}, {VK_OEM_COMMA, ','}, {'5', '5'}}, {"2,5", 3, 3}},
        {"Ctrl with keypad decimal types nothing, then a character from elsewhere",
         {{'7', '7'}, {VK_DECIMAL, 0}, {0, '8'}}, {"78", 2, 2}},
        {"keypad + - / and Enter", {{'8', '8'}, {VK_SPACE, ' '}, {'2', '2'}, {VK_ADD, '+'}, {'3', '3'},
                                    {VK_SUBTRACT, '-'}, {'2', '2'}, {VK_DIVIDE, '/'}, {VK_RETURN, '\r'}},
         {"(7/2) ", 6, 6}},
    };
    create();
    for (const KeypadCase& c : cases) {
        SCOPED_TRACE(c.name);
        setLine("", 0, 0);
        for (const auto& [key, character] : c.keys) pressKey(line, key, character);
        EXPECT_EQ(readLine(), c.after);
    }
}

TEST_F(MainWindowTest, escape_posts_close_to_the_main_window_and_keeps_the_line) {
    create();
    setLine("1 2", 3, 3);
    type(27);
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, window, WM_CLOSE, WM_CLOSE, PM_REMOVE));
    EXPECT_EQ(readLine(), (LineState{"1 2", 3, 3}));
}

// A message that undoes or redoes, as the keyboard or another program sends it.
struct Route {
    const char* name;
    UINT message;
    WPARAM wParam;
    bool shift = false;
};

struct HistoryRoutes {
    const char* name;
    Route undo, redo;
};

void PrintTo(const HistoryRoutes& row, std::ostream* out) { *out << row.name; }

class HistoryRouteTest : public MainWindowTest, public ::testing::WithParamInterface<HistoryRoutes> {
protected:
    void take(const Route& route) const {
        if (route.message == WM_CHAR) {
            type(static_cast<unsigned>(route.wParam), route.shift);
        } else {
            SendMessageW(line, route.message, route.wParam, 0x20000001);  // Alt held, for WM_SYSKEYDOWN
        }
    }
};

// Three evaluations walked back to the empty line and forward again, something selected before
// each move: every move that changes the line leaves the caret at its end, nothing selected, and
// EM_CANUNDO says beforehand whether an undo will change it.
TEST_P(HistoryRouteTest, walks_back_and_forth_leaving_the_caret_at_the_end) {
    create();
    setLine("1 2", 3, 3);
    for (const unsigned code : {unsigned{'+'}, unsigned{'4'}, unsigned{'*'}}) type(code);  // "12 "
    const LineState undone[] = {{"3 4", 3, 3}, {"3 ", 2, 2}, {"1 2", 3, 3}, {"", 0, 0}, {"", 0, 0}};
    for (const LineState& expected : undone) {
        const LineState before = readLine();
        SendMessageW(line, EM_SETSEL, 0, 1);
        EXPECT_EQ(SendMessageW(line, EM_CANUNDO, 0, 0) != 0, expected.text != before.text) << before.text;
        take(GetParam().undo);
        EXPECT_EQ(readLine(), expected) << GetParam().undo.name << " from " << before.text;
    }
    const LineState redone[] = {{"1 2", 3, 3}, {"3 ", 2, 2}, {"3 4", 3, 3}, {"12 ", 3, 3}, {"12 ", 0, 1}};
    for (const LineState& expected : redone) {
        SendMessageW(line, EM_SETSEL, 0, 1);
        take(GetParam().redo);
        EXPECT_EQ(readLine(), expected) << GetParam().redo.name;
    }
}

const Route ctrlZ{"Ctrl+Z", WM_CHAR, 0x1A}, altBackspace{"Alt+Backspace", WM_SYSKEYDOWN, VK_BACK},
    wmUndo{"WM_UNDO", WM_UNDO, 0}, emUndo{"EM_UNDO", EM_UNDO, 0}, ctrlY{"Ctrl+Y", WM_CHAR, 0x19},
    ctrlShiftZ{"Ctrl+Shift+Z", WM_CHAR, 0x1A, true};

INSTANTIATE_TEST_SUITE_P(Routes, HistoryRouteTest,
                         ::testing::Values(HistoryRoutes{"ctrl_z_and_ctrl_y", ctrlZ, ctrlY},
                                           HistoryRoutes{"alt_backspace_and_ctrl_shift_z", altBackspace, ctrlShiftZ},
                                           HistoryRoutes{"wm_undo", wmUndo, ctrlY},
                                           HistoryRoutes{"em_undo", emUndo, ctrlShiftZ}),
                         [](const auto& row) { return std::string(row.param.name); });

// The control's context menu, opened as the menu key opens it. While it shows, a timer reads
// whether its first item, Undo, is enabled, and chooses it or closes the menu.
struct ContextMenuVisit {
    static inline bool choose = false;
    static inline std::optional<bool> undoEnabled;

    static void CALLBACK onTimer(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        HWND menuWindow = FindWindowW(L"#32768", nullptr);
        const auto menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
        if (menu) undoEnabled = (GetMenuState(menu, 0, MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED)) == 0;
        if (choose && undoEnabled == true) {
            PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
            PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
        } else {
            EndMenu();
        }
    }

    // Whether Undo was enabled, or nothing if no menu was seen.
    static std::optional<bool> open(HWND line, bool chooseUndo) {
        choose = chooseUndo;
        undoEnabled.reset();
        SetTimer(nullptr, 0, 10, &onTimer);
        SendMessageW(line, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(line), MAKELPARAM(-1, -1));
        return undoEnabled;
    }
};

// Its Undo is enabled exactly when there is a step to undo, whatever the control's own undo
// buffer holds, and undoes through the history.
TEST_F(MainWindowTest, context_menu_undo_follows_the_history) {
    create();
    type('5');
    type('\b');  // the control could undo its own edit; the history has nothing to undo
    EXPECT_EQ(ContextMenuVisit::open(line, false), false);
    setLine("1 2", 3, 3);
    type('+');
    EXPECT_EQ(ContextMenuVisit::open(line, true), true);
    EXPECT_EQ(readLine(), (LineState{"1 2", 3, 3}));
    EXPECT_EQ(ContextMenuVisit::open(line, true), true);
    EXPECT_EQ(readLine(), (LineState{"", 0, 0}));
    EXPECT_EQ(ContextMenuVisit::open(line, false), false);
    setLine("7 8", 0, 2);  // text the control cannot undo, the history can: kept with its selection
    EXPECT_EQ(ContextMenuVisit::open(line, false), true);
    EXPECT_EQ(readLine(), (LineState{"7 8", 0, 2}));
    EXPECT_EQ(ContextMenuVisit::open(line, true), true);
    EXPECT_EQ(readLine(), (LineState{"", 0, 0}));
    setLine("1 2", 3, 3);
    type('+');
    SendMessageW(line, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));  // another program empties it
    EXPECT_EQ(ContextMenuVisit::open(line, true), true);
    EXPECT_EQ(readLine(), (LineState{"3 ", 2, 2}));
}

// WM_PASTE (Ctrl+V and the context menu's Paste send it) and Shift+Insert (which Wine's control
// pastes itself) put the whole text copied from a text box at the selection; a clipboard without
// text changes nothing. A change of the locale, heard by the main window, reaches the line.
TEST_F(MainWindowTest, a_paste_enters_the_whole_clipboard_text_and_the_separator_follows_the_locale) {
    create();
    HWND box = CreateWindowExW(0, L"EDIT", L"10\r\n20\t30", ES_MULTILINE, 0, 0, 0, 0, window, nullptr, nullptr, nullptr);
    SendMessageW(box, EM_SETSEL, 0, -1);
    SendMessageW(box, WM_COPY, 0, 0);
    setLine("7 8 9", 2, 3);
    SendMessageW(line, WM_PASTE, 0, 0);
    BYTE keys[256] = {};
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(line, WM_KEYDOWN, VK_INSERT, 1);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(readLine(), (LineState{"7 10 20 3010 20 30 9", 18, 18}));
    OpenClipboard(window), EmptyClipboard(), CloseClipboard();
    SendMessageW(line, EM_SETSEL, 0, 1);
    SendMessageW(line, WM_PASTE, 0, 0);
    EXPECT_EQ(readLine(), (LineState{"7 10 20 3010 20 30 9", 0, 1}));
    for (const std::wstring separator : {L",", L"."}) {  // "." last: the test's locale again
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator.c_str());
        SendMessageW(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
        setLine("1", 1, 1);
        type(',');
        EXPECT_EQ(readLine().text, separator == L"," ? "1." : "1,");
    }
}

// In a German locale every way out of the line writes "," between digits, the line keeping ".":
// WM_COPY and WM_CUT (which Ctrl+C, Ctrl+X, the context menu and other programs send), Ctrl+Insert
// and Shift+Delete; with copy = line as the line shows it. A paste reads "." as grouping there,
// and "," beside the line's digits as the point.
TEST_F(MainWindowTest, copies_write_the_locales_decimal_comma_and_a_paste_reads_its_grouping) {
    create();
    wchar_t decimal[4] = L"", group[4] = L"";
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 4);
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, group, 4);
    const auto setLocale = [this](const wchar_t* decimalSeparator, const wchar_t* groupSeparator) {
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimalSeparator);
        SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, groupSeparator);
        SendMessageW(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
    };
    setLocale(L",", L".");
    // Each route with the key it needs held, and whether it cuts; WM_APP: WM_COPY with copy = line.
    const struct { UINT message; WPARAM code; BYTE key; bool cuts; } routes[] = {
        {WM_COPY, 0, 0, false}, {WM_CUT, 0, 0, true}, {WM_CHAR, 0x03, VK_CONTROL, false},
        {WM_CHAR, 0x18, VK_CONTROL, true}, {WM_KEYDOWN, VK_INSERT, VK_CONTROL, false},
        {WM_KEYDOWN, VK_DELETE, VK_SHIFT, true}, {WM_APP, 0, 0, false}};
    for (const auto& route : routes) {
        putClipboardText(window, L"");
        setLine("(1/2) 1.5 2.25", 6, 14);
        if (route.message == WM_APP) setInputLineCopy(line, CopyNotation::Line);
        BYTE keys[256] = {};
        keys[route.key] = 0x80;  // VK 0 is no key
        SetKeyboardState(keys);
        SendMessageW(line, route.message == WM_APP ? WM_COPY : route.message, route.code, 1);
        keys[route.key] = 0;
        SetKeyboardState(keys);
        const char* copied = route.message == WM_APP ? "1.5 2.25" : "1,5 2,25";
        EXPECT_EQ(utf8FromUtf16(clipboardText(window).value_or(L"?")), copied) << route.message << " " << route.code;
        EXPECT_EQ(readLine().text, route.cuts ? "(1/2) " : "(1/2) 1.5 2.25") << route.message << " " << route.code;
    }
    putClipboardText(window, L"1.234,5\r\n-2.000");
    setLine("7 ", 2, 2);
    SendMessageW(line, WM_PASTE, 0, 0);
    putClipboardText(window, L",5");
    setLine(readLine().text + " 1", 18, 18);
    SendMessageW(line, WM_PASTE, 0, 0);
    EXPECT_EQ(readLine().text, "7 1234.5 (-2000) 1.5");
    setLocale(decimal, group);
}

// A paste larger than the memory left (here, no block of 1,000 bytes) fails and keeps the line;
// one while another program holds the clipboard open for a moment waits for it.
TEST_F(MainWindowTest, a_paste_beyond_memory_keeps_the_line_and_a_clipboard_held_open_is_waited_for) {
    create();
    setLine("3 ", 2, 2);
    putClipboardText(window, std::wstring(1000, L'7'));
    largestAllocation = 1000;
    SendMessageW(line, WM_PASTE, 0, 0);
    largestAllocation = SIZE_MAX;
    EXPECT_NO_THROW(rethrowPendingException());
    EXPECT_EQ(readLine(), (LineState{"3 ", 2, 2}));
    putClipboardText(window, L"45");
    HANDLE opened = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::thread holder([opened] { OpenClipboard(nullptr), SetEvent(opened), Sleep(2), CloseClipboard(); });
    WaitForSingleObject(opened, INFINITE);
    SendMessageW(line, WM_PASTE, 0, 0);
    holder.join();
    CloseHandle(opened);
    EXPECT_EQ(readLine(), (LineState{"3 45", 4, 4}));
}

// What the line is sent while it is destroyed is answered by the edit control, to the end: here
// its tip, as it goes, asks the line for its number of lines.
struct TipGoing {
    static inline HWND line = nullptr;
    static inline WNDPROC tipProc = nullptr;
    static inline LRESULT lineCount = -1;
    static LRESULT CALLBACK onTipMessage(HWND tip, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_DESTROY) lineCount = SendMessageW(line, EM_GETLINECOUNT, 0, 0);
        return CallWindowProcW(tipProc, tip, message, wParam, lParam);
    }
};

TEST_F(MainWindowTest, the_line_answers_as_an_edit_control_while_it_is_destroyed) {
    create();
    setLine("(1/0)", 5, 5);
    type(' ');
    HWND tip = visibleTipOf(window);
    ASSERT_NE(tip, nullptr);
    TipGoing::line = line;
    TipGoing::tipProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(tip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TipGoing::onTipMessage)));
    DestroyWindow(window);
    EXPECT_EQ(TipGoing::lineCount, 1);
}

TEST_F(MainWindowTest, lines_longer_than_32767_bytes_are_pasted_and_evaluated_whole) {
    create();
    std::string ones;
    for (int i = 0; i < 20000; ++i) ones += "1 ";
    ones.pop_back();  // 39,999 bytes
    setLine("", 0, 0);
    SendMessageA(line, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(ones.c_str()));
    ASSERT_EQ(readLine().text.size(), ones.size());

    type('+');
    std::string expected;
    for (int i = 0; i < 19998; ++i) expected += "1 ";
    expected += "2 ";
    const LineState after = readLine();
    EXPECT_EQ(after.text, expected);
    EXPECT_EQ(after.start, expected.size());
}

}  // namespace
}  // namespace zarn::testing
