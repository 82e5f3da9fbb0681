#include "window/win32/main_window.hpp"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "window/settings.hpp"
#include "window/win32/file_bytes.hpp"
#include "window/win32/handles.hpp"
#include "window/win32/imm.hpp"
#include "window/win32/input_line.hpp"
#include "window/win32/pending_exception.hpp"
#include "window/win32/system_error.hpp"
#include "window/win32/utf16.hpp"
#include "window/win32/window_font.hpp"

namespace zarn {

namespace {

constexpr DWORD mainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX;
constexpr DWORD inputControlStyle = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL;

// The window's process-wide state, set while it is created.
HWND inputControl = nullptr;
UniqueFont font;
int fixedWindowHeight = 0;

int displayDpi(HWND control) {
    HDC dc = GetDC(control);
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(control, dc);
    return dpi;
}

WindowSettings readSettings(HWND window, int dpi) {
    WindowSettings settings = defaultSettings(dpi);
    const std::string fileName(settingsFileName);
    if (fileExists(fileName)) {
        loadSettings(readFileBytes(fileName), dpi, settings, [window](std::string_view key) {
            // The key is UTF-8: shown through the W form, every character comes out as written.
            const std::wstring text = utf16FromUtf8("Unknown key:\n\n" + std::string(key));
            MessageBoxW(window, text.c_str(), mainWindowTitle, MB_ICONWARNING | MB_OK);
        });
    }
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

// Sizes the window so that its client area is `clientWidth` by `textHeight` pixels, the width
// limited to what the system can show: the widest a window may be (SM_CXMAXTRACK) less the
// frame. A width near 2^31 would otherwise overflow the frame's addition and come out narrow.
void fitWindowToLine(HWND window, int clientWidth, int textHeight) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRect(&frame, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE);
    const std::int64_t frameWidth = std::int64_t{frame.right} - frame.left;
    const std::int64_t frameHeight = std::int64_t{frame.bottom} - frame.top;
    const std::int64_t widestClient = std::max<std::int64_t>(GetSystemMetrics(SM_CXMAXTRACK) - frameWidth, 1);
    const int outerWidth = clampedToInt(std::min<std::int64_t>(clientWidth, widestClient) + frameWidth);
    fixedWindowHeight = clampedToInt(textHeight + frameHeight);
    SetWindowPos(window, nullptr, 0, 0, outerWidth, fixedWindowHeight, SWP_NOMOVE | SWP_NOZORDER);
}

void onCreate(HWND window) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    // A Unicode control: its text and selection are counted in the same UTF-16 units, whatever
    // the ANSI code page, and it holds any character.
    inputControl = CreateWindowExW(0, L"EDIT", L"", inputControlStyle, 0, 0, 10, 10, window, nullptr, instance,
                                   nullptr);
    attachInputLine(inputControl);
    // The default limit would cut a long pasted line at 32,767 bytes: 0 means as long as possible.
    SendMessageW(inputControl, EM_SETLIMITTEXT, 0, 0);

    const int dpi = displayDpi(inputControl);
    const WindowSettings settings = readSettings(window, dpi);

    font = createFont(settings);
    const int textHeight = textHeightOfX(font.get());
    SendMessageW(inputControl, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);

    const int clientWidth =
        resolveClientWidth(settings.clientWidth, settings.clientWidth < 0 ? workAreaWidth() : 0);
    fitWindowToLine(window, clientWidth, textHeight);

    Imm::detachInputMethod(inputControl);
    SetFocus(inputControl);
}

// Whenever the window gets the keyboard focus (activation, restoring from the taskbar, a click
// on the title bar), the input line takes it: there is nothing else to type into.
void onSetFocus() {
    if (inputControl) SetFocus(inputControl);
}

void onSize(LPARAM lParam) {
    if (inputControl)
        SetWindowPos(inputControl, nullptr, 0, 0, LOWORD(lParam), HIWORD(lParam), SWP_NOMOVE | SWP_NOZORDER);
}

// Only the width follows the user: the bottom edge stays one line below the top.
void onSizing(LPARAM lParam) {
    auto* proposed = reinterpret_cast<RECT*>(lParam);
    proposed->bottom = proposed->top + fixedWindowHeight;
}

void onDestroy() {
    font.reset();
    PostQuitMessage(0);
}

LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: onCreate(window); break;
    case WM_SETFOCUS: onSetFocus(); return 0;
    case WM_SIZE: onSize(lParam); break;
    case WM_SIZING: onSizing(lParam); break;
    case WM_DESTROY: onDestroy(); return 0;
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
    RegisterClassExW(&windowClass);
}

HWND createMainWindow(HINSTANCE instance) {
    return CreateWindowExW(WS_EX_WINDOWEDGE, mainWindowClass, mainWindowTitle, mainWindowStyle, CW_USEDEFAULT, 0,
                           10, 10, nullptr, nullptr, instance, nullptr);
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
    ShowWindow(window, showCommand);
    const int exitCode = runMessageLoop();
    rethrowPendingException();
    return exitCode;
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The input line's tip stays where it was put: when the window moves, or a click on its
    // frame may start a move, the tip goes. The line is the window's only child.
    if (message == WM_MOVE || message == WM_NCLBUTTONDOWN || message == WM_NCRBUTTONDOWN) {
        hideInputLineTip(GetWindow(window, GW_CHILD));
    }
    try {
        return handleMessage(window, message, wParam, lParam);
    } catch (...) {
        keepPendingException(window, message);
        return message == WM_CREATE ? -1 : 0;
    }
}

}  // namespace zarn
