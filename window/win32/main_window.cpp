#include "window/win32/main_window.hpp"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "window/settings.hpp"
#include "window/win32/app_mode.hpp"
#include "window/win32/file_bytes.hpp"
#include "window/win32/global_hotkey.hpp"
#include "window/win32/handles.hpp"
#include "window/win32/imm.hpp"
#include "window/win32/input_line.hpp"
#include "window/win32/message_texts.hpp"
#include "window/win32/pending_exception.hpp"
#include "window/win32/system_error.hpp"
#include "window/utf16.hpp"
#include "window/win32/window_dpi.hpp"
#include "window/win32/window_font.hpp"
#include "window/win32/window_icons.hpp"
#include "window/win32/window_place_keeper.hpp"
#include "window/win32/window_theme.hpp"

namespace zarn {

namespace {

constexpr DWORD mainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
constexpr DWORD mainWindowExStyle = WS_EX_WINDOWEDGE;
constexpr DWORD inputControlStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;

// Where the window is in its life. The warning boxes shown during WM_CREATE run message loops of
// their own, so the window can be asked to close, or even be destroyed, before its content is
// complete; and anyone may post it any message at any time.
enum class Stage {
    Creating,                // WM_CREATE is making the content
    CloseRequested,          // still creating, asked to close meanwhile: no further box
    DestroyedWhileCreating,  // gone before its content was complete
    ClosedUnshown,           // creation over, to be destroyed without ever being shown
    Finishing,               // complete, shown, the rest of the start still to come
    Running,
};

// Whether onCreate still owns the state.
bool creating(Stage stage) {
    return stage == Stage::Creating || stage == Stage::CloseRequested || stage == Stage::DestroyedWhileCreating;
}

// Everything the main window keeps, behind its GWLP_USERDATA. Made first in WM_CREATE and owned by
// onCreate while it is creating; from then on owned by the window and freed in WM_NCDESTROY, after
// the input line (and with it its use of the font) is gone.
struct MainWindowState {
    Stage stage = Stage::Creating;
    HWND inputControl = nullptr;
    UniqueFont font;
    int fixedWindowHeight = 0;  // outer height: one line of the font at `dpi`
    int dpi = 0;                // the resolution the font and the height were made for
    WindowSettings settings;    // as read at creation; the font is remade from them
    WindowIcons icons;          // for `dpi`
    WindowTheme theme;          // the colours, and the brushes the line is painted with
    WindowPlaceKeeper placeKeeper;  // with "remember = yes"
    bool hotkeyHeld = false;
    HWND hotkeyCameFrom = nullptr;  // in front when the hotkey last brought the window forward
};

MainWindowState* stateOf(HWND window) {
    return reinterpret_cast<MainWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// Each unknown key is shown in a box owned by the window, one after another, once the file has
// been read, in the language it names wherever it names it; once the window has been asked to
// close, the rest are not shown. A refused file still shows the keys before the refused line,
// in the language named before it, and its message then speaks that language too.
WindowSettings readSettings(HWND window, const MainWindowState& state) {
    WindowSettings settings = defaultSettings(state.dpi);
    const std::string fileName(settingsFileName);
    std::vector<std::string> unknownKeys;
    std::exception_ptr refused;
    if (fileExists(fileName)) {
        try {
            loadSettings(readFileBytes(fileName), state.dpi, settings,
                         [&unknownKeys](std::string_view key) { unknownKeys.emplace_back(key); });
        } catch (const MessageException&) {
            refused = std::current_exception();
        }
    }
    useLanguage(settings.language);
    for (const std::string& key : unknownKeys) {
        if (state.stage != Stage::Creating) break;
        // The key is UTF-8: shown through the W form, every character comes out as written,
        // and a control character as a visible symbol instead of cutting the text short.
        const std::wstring text = utf16FromUtf8(shownText({MessageId::UnknownKey, {visibleText(key)}}));
        MessageBoxW(window, text.c_str(), mainWindowTitle, MB_ICONWARNING | MB_OK);
    }
    if (refused) std::rethrow_exception(refused);
    return settings;
}

int workAreaWidth() {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area.right - area.left;
}

int clampedToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<int>::max()));
}

// Sizes the window so that its client area is `clientWidth` by `textHeight` pixels at the
// state's resolution, the width limited to what the system can show: the widest a window may be
// (SM_CXMAXTRACK) less the frame. A width near 2^31 would otherwise overflow the frame's
// addition and come out narrow.
void fitWindowToLine(HWND window, MainWindowState& state, int clientWidth, int textHeight) {
    const RECT frame = frameAtDpi(window, state.dpi);
    const std::int64_t frameWidth = std::int64_t{frame.right} - frame.left;
    const std::int64_t widestClient = std::max<std::int64_t>(GetSystemMetrics(SM_CXMAXTRACK) - frameWidth, 1);
    const int outerWidth = clampedToInt(std::min<std::int64_t>(clientWidth, widestClient) + frameWidth);
    state.fixedWindowHeight = clampedToInt(std::int64_t{textHeight} + frame.bottom - frame.top);
    RECT outer{};
    GetWindowRect(window, &outer);
    if (outer.right - outer.left == outerWidth && outer.bottom - outer.top == state.fixedWindowHeight) return;
    SetWindowPos(window, nullptr, 0, 0, outerWidth, state.fixedWindowHeight, SWP_NOMOVE | SWP_NOZORDER);
}

// The outer size the window will most likely have: the default font and width at the system's
// resolution, where it opens without a zarn.ini. Made at that size, it usually needs no resizing
// before it is first shown, which costs Wine more than the rest of its content.
SIZE likelySize() {
    const int dpi = dpiOfScreen();
    const WindowSettings defaults = defaultSettings(dpi);
    const UniqueFont font = createFont(defaults);
    const RECT frame = frameAtDpi(mainWindowStyle, mainWindowExStyle, dpi);
    return {defaults.clientWidth + frame.right - frame.left, textHeightOfX(font.get()) + frame.bottom - frame.top};
}

bool isOnTop(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// Whether the window has been shown: only then is its place the user's.
bool shown(Stage stage) { return stage == Stage::Finishing || stage == Stage::Running; }

// With "remember = yes", at any way out once the window has been shown: its place goes into
// zarn.state.
void keepPlace(HWND window, const MainWindowState& state) {
    if (state.settings.remember && shown(state.stage)) state.placeKeeper.keep(state.dpi, isOnTop(window));
}

// The check mark beside "Always on top" says what the window is, whoever made it so.
void showOnTopCheck(HWND window) {
    const UINT check = isOnTop(window) ? MF_CHECKED : MF_UNCHECKED;
    CheckMenuItem(GetSystemMenu(window, FALSE), alwaysOnTopCommand, MF_BYCOMMAND | check);
}

// Above or among the other windows; neither the focus nor the line changes.
void putOnTop(HWND window, bool onTop) {
    SetWindowPos(window, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// "Always on top" and a separator, just above Close in the window's own copy of the system menu.
void addOnTopItem(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    const std::wstring item = utf16FromUtf8(shownText({MessageId::AlwaysOnTop, {}}));
    InsertMenuW(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING, alwaysOnTopCommand, item.c_str());
    InsertMenuW(menu, SC_CLOSE, MF_BYCOMMAND | MF_SEPARATOR, 0, nullptr);
}

// Gives the input line a font made from the settings at the state's resolution; the font it had
// is released only once the control holds the new one. Returns the height of "X" in it.
int setLineFont(MainWindowState& state) {
    UniqueFont font = createFont(state.settings);
    const int textHeight = textHeightOfX(font.get());
    SendMessageW(state.inputControl, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    state.font = std::move(font);
    return textHeight;
}

// Posted at the end of creation, so handled once the window has been shown: what the first
// sight of it does not need waits until then (finishCreation). Any program can post a WM_APP, so
// it is acted on only while the start is still to be finished.
constexpr UINT finishCreationMessage = WM_APP;

// The content that decides how the window looks when it is shown: the input line, the settings
// (with their warning boxes), the font and the size. Returns early when the window was closed or
// destroyed meanwhile; once closing was asked for, a refused zarn.ini shows no box either.
void createContent(HWND window, MainWindowState& state) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    // A Unicode control: its text and selection are counted in the same UTF-16 units, whatever
    // the ANSI code page, and it holds any character. It is made over the whole client area, as
    // a window that needs no resizing gets no WM_SIZE to stretch it.
    RECT client{};
    GetClientRect(window, &client);
    state.inputControl = CreateWindowExW(0, L"EDIT", L"", inputControlStyle, 0, 0, client.right, client.bottom,
                                         window, nullptr, instance, nullptr);
    attachInputLine(state.inputControl);
    // The default limit would cut a long pasted line at 32,767 bytes: 0 means as long as possible.
    SendMessageW(state.inputControl, EM_SETLIMITTEXT, 0, 0);

    // The window's own resolution: the monitor it opens on may not be the primary one.
    state.dpi = dpiOfWindow(window);
    try {
        state.settings = readSettings(window, state);
    } catch (...) {
        if (state.stage != Stage::CloseRequested) throw;
    }
    if (state.stage != Stage::Creating) return;
    if (state.settings.remember) state.placeKeeper.restore(window, state.settings, state.dpi);
    if (state.settings.hotkey) {
        state.hotkeyHeld = registerHotkey(window, *state.settings.hotkey);
        if (!state.hotkeyHeld) warnHotkeyInUse(window, *state.settings.hotkey);
        if (state.stage != Stage::Creating) return;  // asked to close while the box was up
    }
    // Only when asked for: even a SetWindowPos that changes nothing costs Wine dearly here.
    if (state.settings.onTop) putOnTop(window, true);
    setInputLineCopy(state.inputControl, state.settings.copy);
    // The app mode, where it decides, is asked first and answered while the font and size are made.
    state.theme.prepare(window, state.inputControl, state.settings.theme);
    const int textHeight = setLineFont(state);

    const int clientWidth =
        resolveClientWidth(state.settings.clientWidth, state.settings.clientWidth < 0 ? workAreaWidth() : 0);
    fitWindowToLine(window, state, clientWidth, textHeight);
    // The colours before the window is first shown: no light frame of a dark window, ever.
    state.theme.apply();
    PostMessageW(window, finishCreationMessage, 0, 0);
}

// Once shown (the class's icons stand in until then): the system menu's "Always on top", the
// icons made for the window's resolution, no input method in the line, and the focus on it. No
// key or click can come first: posted messages are handled before input.
void finishCreation(HWND window, MainWindowState& state) {
    if (state.stage != Stage::Finishing) return;
    state.stage = Stage::Running;
    addOnTopItem(window);
    showOnTopCheck(window);
    state.icons.setFor(window, state.dpi);
    Imm::detachInputMethod(state.inputControl);
    SetFocus(state.inputControl);
}

// While creating, the state belongs to this function, so that a window destroyed inside a warning
// box (whose WM_NCDESTROY only lets go of it) never leaves it freed under us.
void onCreate(HWND window) {
    auto owned = std::make_unique<MainWindowState>();
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owned.get()));
    try {
        createContent(window, *owned);
    } catch (...) {
        // Creation fails: the window is destroyed after WM_CREATE returns, without the state.
        if (owned->stage != Stage::DestroyedWhileCreating) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        throw;
    }
    if (owned->stage == Stage::DestroyedWhileCreating) return;
    owned->stage = owned->stage == Stage::CloseRequested ? Stage::ClosedUnshown : Stage::Finishing;
    owned.release();  // the window's now, freed in WM_NCDESTROY
}

// Asked to close while its content is still being made (from a warning box's message loop): the
// request is kept and carried out once creation is over, and the boxes still to come are skipped.
bool onClose(MainWindowState& state) {
    if (!creating(state.stage)) return false;
    state.stage = Stage::CloseRequested;
    return true;
}

// Moved to a monitor of another scale: the font is remade for the new resolution from the
// settings read at creation, and the window takes the position and width Windows suggests and
// the height of one line of the new font. The line's text and selection stay as they are.
void onDpiChanged(HWND window, MainWindowState& state, int dpi, const RECT& suggested) {
    state.dpi = dpi;
    state.icons.setFor(window, dpi);
    state.settings.fontHeight = fontHeightAt(state.settings, dpi);
    const int textHeight = setLineFont(state);
    const RECT frame = frameAtDpi(window, dpi);
    state.fixedWindowHeight = clampedToInt(std::int64_t{textHeight} + frame.bottom - frame.top);
    SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 state.fixedWindowHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Whenever the window gets the keyboard focus (activation, restoring from the taskbar, a click
// on the title bar), the input line takes it: there is nothing else to type into.
void onSetFocus(const MainWindowState& state) {
    if (state.inputControl) SetFocus(state.inputControl);
}

// A minimised window takes the line's tip with it; the line fills the client area.
void onSize(const MainWindowState& state, WPARAM wParam, LPARAM lParam) {
    if (wParam == SIZE_MINIMIZED) hideInputLineTip(state.inputControl);
    if (state.inputControl)
        SetWindowPos(state.inputControl, nullptr, 0, 0, LOWORD(lParam), HIWORD(lParam), SWP_NOMOVE | SWP_NOZORDER);
}

// Only the width follows the user: the bottom edge stays one line below the top.
void onSizing(const MainWindowState& state, LPARAM lParam) {
    auto* proposed = reinterpret_cast<RECT*>(lParam);
    proposed->bottom = proposed->top + state.fixedWindowHeight;
}

bool closedBeforeShown(HWND window) {
    const MainWindowState* state = stateOf(window);
    return state != nullptr && state->stage == Stage::ClosedUnshown;
}

LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: onCreate(window); return DefWindowProcW(window, message, wParam, lParam);
    case WM_DESTROY:
        if (const MainWindowState* state = stateOf(window)) {
            keepPlace(window, *state);
            if (state->hotkeyHeld) unregisterHotkey(window);
        }
        PostQuitMessage(0);
        return 0;
    default: break;
    }
    MainWindowState* state = stateOf(window);
    if (!state) return DefWindowProcW(window, message, wParam, lParam);  // before WM_CREATE
    switch (message) {
    case WM_DPICHANGED:  // the vertical resolution, as the font's height is vertical
        onDpiChanged(window, *state, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CLOSE:
        if (onClose(*state)) return 0;
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) != alwaysOnTopCommand) break;
        putOnTop(window, !isOnTop(window));
        showOnTopCheck(window);
        return 0;
    case WM_INITMENU: showOnTopCheck(window); break;
    case WM_COMMAND:  // the line's text changed, whoever changed it: its tip may point at nothing
        if (HIWORD(wParam) == EN_CHANGE) hideInputLineTip(state->inputControl);
        break;
    case finishCreationMessage: finishCreation(window, *state); return 0;
    case WM_SETFOCUS: onSetFocus(*state); return 0;
    case WM_SIZE: onSize(*state, wParam, lParam); break;
    case WM_SIZING: onSizing(*state, lParam); break;
    case WM_WINDOWPOSCHANGED: state->placeKeeper.track(window); break;  // WM_MOVE and WM_SIZE follow
    case WM_HOTKEY:
        if (wParam == mainWindowHotkeyId && shown(state->stage)) onHotkey(window, state->hotkeyCameFrom);
        return 0;
    // The end of the Windows session ends the process without destroying the window.
    case WM_QUERYENDSESSION: keepPlace(window, *state); break;
    case WM_ENDSESSION:
        if (wParam) keepPlace(window, *state);
        return 0;
    // The colours of the line and the window's background, which follow the system's appearance.
    case WM_CTLCOLOREDIT:
        if (HBRUSH brush = state->theme.colourLine(reinterpret_cast<HDC>(wParam))) {
            return reinterpret_cast<LRESULT>(brush);
        }
        break;
    case WM_ERASEBKGND:
        if (state->theme.eraseBackground(reinterpret_cast<HDC>(wParam))) return 1;
        break;
    case WM_SETTINGCHANGE:  // reaches top-level windows only: the line hears of the locale through it
        inputLineSettingChanged(state->inputControl, reinterpret_cast<const wchar_t*>(lParam));
        if (changesAppearance(wParam, lParam)) state->theme.appearanceChanged();
        break;
    case appModeAnsweredMessage: state->theme.update(); break;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED: state->theme.update(); break;
    // The input line's tip stays where it was put: when the window moves, or a click on its
    // frame may start a move, the tip goes.
    case WM_MOVE:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN: hideInputLineTip(state->inputControl); break;
    case WM_NCDESTROY: {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        if (creating(state->stage)) {
            state->stage = Stage::DestroyedWhileCreating;  // onCreate still owns the state and frees it
        } else {
            delete state;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void registerMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = mainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = static_cast<HCURSOR>(LoadImageA(nullptr, IDC_ARROW, IMAGE_CURSOR, 0, 0, LR_SHARED));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = mainWindowClass;
    setClassIcons(windowClass);
    RegisterClassExW(&windowClass);
}

HWND createMainWindow(HINSTANCE instance) {
    const SIZE likely = likelySize();
    return CreateWindowExW(mainWindowExStyle, mainWindowClass, mainWindowTitle, mainWindowStyle, CW_USEDEFAULT, 0,
                           likely.cx, likely.cy, nullptr, nullptr, instance, nullptr);
}


int runMessageLoop() {
    MSG message{};
    for (;;) {
        // The W forms: a typed character reaches the windows as UTF-16, never through the ANSI
        // code page, where characters outside it would turn into "?".
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(message.wParam);
        if (got == -1) throw Exception("GetMessageW: " + systemErrorText(GetLastError()));
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

int runMainWindow(HINSTANCE instance, int showCommand) {
    registerMainWindowClass(instance);
    HWND window = createMainWindow(instance);
    rethrowPendingException();
    if (!window) throw Exception("CreateWindowExW: " + systemErrorText(GetLastError()));
    if (closedBeforeShown(window)) {
        DestroyWindow(window);  // never shown; its WM_DESTROY posts the quit message
    } else {
        ShowWindow(window, showCommand);
    }
    // Any program can post the quit message, with any code: ZARN's own exit code stays 0.
    runMessageLoop();
    rethrowPendingException();
    return 0;
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return handleMessage(window, message, wParam, lParam);
    } catch (...) {
        keepPendingException(window, message);
        return message == WM_CREATE ? -1 : 0;
    }
}

}  // namespace zarn
