// zarn-probe: what the end-to-end test asks of a running zarn.exe, from another process
// (Wine passes these messages between processes as Windows does).
//   zarn-probe line              prints "start end|text" of the input line: the text in UTF-8,
//                                the selection as byte offsets into it
//   zarn-probe settext TEXT      puts TEXT into the input line, caret at its end
//   zarn-probe box TITLE         prints the owner's class and the text of the message box TITLE
//   zarn-probe client            prints the main window's client width and height
//   zarn-probe visible           prints 1 if the main window is visible, else 0
//   zarn-probe iconic            prints 1 if the main window is minimised, else 0
//   zarn-probe widest            prints the widest client area the main window can have: the
//                                largest tracking width less the window's present frame
//   zarn-probe xheight FACE H    prints the height of "X" in FACE with logical height H
//   zarn-probe width FACE H TEXT prints the width of TEXT in FACE with logical height H
//   zarn-probe drawnwidth TEXT   puts TEXT and a space into the input line and prints the width
//                                the line draws TEXT in: where its font differs from another,
//                                the widths do when the heights do not
//   zarn-probe fault KIND        raises a fault inside the guarded entry: access, divide, stack,
//                                or access-in-window (in a window procedure)
//   zarn-probe roundtrip LENGTH REPEATS
//                                times a typed "+" on a line of LENGTH characters, from the
//                                character's message to the new text in the control; prints
//                                the median, fastest and slowest in milliseconds
//   zarn-probe tip               prints the text of the tip shown beside the main window;
//                                exit code 1 when none is shown
//   zarn-probe tiparea           prints the screen area of the main window and its tip
//                                together, as WIDTHxHEIGHT+X+Y; exit code 1 without a tip
//   zarn-probe tipbeside TOKEN   prints how far, in pixels, the tip's stem is from the middle of
//                                the last TOKEN in the line as the control draws it; exit code 1
//                                without a tip or without the token
//   zarn-probe copy LINE...      puts the LINEs on the clipboard as text, joined by CR LF, as a
//                                spreadsheet's column is copied
//   zarn-probe clipboard         prints the clipboard's text; exit code 1 when it holds none
//   zarn-probe close             posts WM_CLOSE to the main window, as taskkill does
//   zarn-probe quit CODE         posts WM_QUIT with CODE to the main window, as any program may
//   zarn-probe ontop             prints 1 if the main window is on top, else 0 (its system menu
//                                cannot be read from another process)
//   zarn-probe place             prints the main window's outer left and top and its client width
//   zarn-probe moveto L T W      moves the main window's outer top-left corner to L, T and makes
//                                its client area W wide, as a drag of its frame would
//   zarn-probe foreground        prints the title of the window in the foreground
//   zarn-probe window TITLE SECONDS [HOTKEY]
//                                shows a window of its own titled TITLE for SECONDS, to take the
//                                focus from zarn.exe; prints "shown", and with HOTKEY (as zarn.ini
//                                writes one) holds that key meanwhile and prints "held"
//   zarn-probe events SECONDS    watches zarn.exe's accessibility events for SECONDS, as a
//                                screen reader does (an out-of-context WinEvent hook): prints
//                                "hooked", then for each event its name, the source's class,
//                                and the object's role, name and value
// Exit code 2 when the window or box is not there. Text goes through the W forms of the messages,
// so any character comes and goes unchanged; it is printed in UTF-8.

#include <windows.h>
#include <oleacc.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/win32/visible_tip.hpp"
#include "window/hotkey.hpp"
#include "window/settings.hpp"
#include "window/win32/fault_handlers.hpp"
#include "window/win32/clipboard_text.hpp"
#include "window/win32/guarded_entry.hpp"
#include "window/win32/input_line.hpp"
#include "window/utf16.hpp"
#include "window/win32/window_font.hpp"

namespace {

HWND inputLine() {
    HWND window = FindWindowW(L"ZARN", nullptr);
    return window ? FindWindowExW(window, nullptr, L"EDIT", nullptr) : nullptr;
}

int printLine() {
    HWND line = inputLine();
    if (!line) return 2;
    const zarn::InputLineState state = zarn::readInputLine(line);
    std::printf("%zu %zu|%s\n", state.start, state.end, state.text.c_str());
    return 0;
}

int setText(const std::wstring& text) {
    HWND line = inputLine();
    if (!line) return 2;
    SendMessageW(line, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(line, EM_SETSEL, text.size(), static_cast<LPARAM>(text.size()));
    return 0;
}

// The argument as typed, from the wide command line: argv holds it in the ANSI code page only.
std::wstring wideArgument(int index) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring argument = arguments && index < count ? arguments[index] : L"";
    LocalFree(arguments);
    return argument;
}

int printBox(const char* title) {
    HWND box = FindWindowW(L"#32770", zarn::utf16FromUtf8(title).c_str());
    if (!box) return 2;
    char owner[64] = "none";
    if (HWND ownerWindow = GetWindow(box, GW_OWNER)) GetClassNameA(ownerWindow, owner, sizeof owner);
    wchar_t text[1024] = L"";
    GetDlgItemTextW(box, 0xFFFF, text, static_cast<int>(std::size(text)));
    std::printf("owner=%s\n%s\n", owner, zarn::utf8FromUtf16(text).c_str());
    return 0;
}

int printClient() {
    HWND window = FindWindowW(L"ZARN", nullptr);
    if (!window) return 2;
    RECT client{};
    GetClientRect(window, &client);
    std::printf("%ld %ld\n", client.right, client.bottom);
    return 0;
}

int printVisible() {
    HWND window = FindWindowW(L"ZARN", nullptr);
    if (!window) return 2;
    std::printf("%d\n", IsWindowVisible(window) ? 1 : 0);
    return 0;
}

int printIconic() {
    HWND window = FindWindowW(L"ZARN", nullptr);
    if (!window) return 2;
    std::printf("%d\n", IsIconic(window) ? 1 : 0);
    return 0;
}

int printWidestClient() {
    HWND window = FindWindowW(L"ZARN", nullptr);
    if (!window) return 2;
    RECT outer{};
    RECT client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const long frame = (outer.right - outer.left) - client.right;
    std::printf("%ld\n", GetSystemMetrics(SM_CXMAXTRACK) - frame);
    return 0;
}

int printXHeight(const char* face, const char* height) {
    zarn::WindowSettings settings;
    settings.faceName = face;
    settings.fontHeight = std::atoi(height);
    zarn::UniqueFont font = zarn::createFont(settings);
    std::printf("%d\n", zarn::textHeightOfX(font.get()));
    return 0;
}

int printWidth(const std::string& face, const char* height, const std::wstring& text) {
    zarn::WindowSettings settings;
    settings.faceName = face;
    settings.fontHeight = std::atoi(height);
    zarn::UniqueFont font = zarn::createFont(settings);
    const zarn::UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const zarn::SelectedObject selected(dc.get(), font.get());
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), text.data(), static_cast<int>(text.size()), &extent);
    std::printf("%ld\n", extent.cx);
    return 0;
}

int printDrawnWidth(const std::wstring& text) {
    HWND line = inputLine();
    if (!line) return 2;
    setText(text + L" ");
    std::printf("%ld\n", zarn::testing::drawnX(line, text.size()) - zarn::testing::drawnX(line, 0));
    return 0;
}

// Deep enough for any stack: the depth limit only keeps the compiler from calling it endless.
int recurse(int depth) {
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    return depth > 1000000000 ? 0 : recurse(depth + 1) + frame[0];
}

LRESULT CALLBACK faultingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) *static_cast<volatile int*>(nullptr) = 1;
    return DefWindowProcA(window, message, wParam, lParam);
}

int faultInWindowProcedure() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = faultingProc;
    windowClass.lpszClassName = "ZarnProbe";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("ZarnProbe", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    PostMessageA(window, WM_APP, 0, 0);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 3;
}

int fault(const std::string& kind) {
    zarn::installFaultHandlers();
    return zarn::runGuarded([&] {
        volatile int zero = 0;
        if (kind == "access") *static_cast<volatile int*>(nullptr) = 1;
        if (kind == "divide") return 7 / zero;
        if (kind == "stack") return recurse(0);
        if (kind == "access-in-window") return faultInWindowProcedure();
        return 3;
    });
}

double millisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// WM_CHAR is sent, not posted: SendMessage returns once the input line has evaluated the line
// and put the result into the control, which is the round trip a typed key makes.
int roundTrip(std::size_t length, int repeats) {
    HWND line = inputLine();
    if (!line || repeats < 1) return 2;
    std::string text;
    while (text.size() + 6 <= length) text += "1 2 + ";
    text.resize(length, ' ');
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        setText(zarn::utf16FromUtf8(text));
        LARGE_INTEGER start;
        QueryPerformanceCounter(&start);
        SendMessageW(line, WM_CHAR, '+', 0);
        times.push_back(millisecondsSince(start));
        if (static_cast<std::size_t>(SendMessageW(line, WM_GETTEXTLENGTH, 0, 0)) == length + 1) return 3;
    }
    std::sort(times.begin(), times.end());
    std::printf("%.3f %.3f %.3f\n", times[times.size() / 2], times.front(), times.back());
    return 0;
}

int printTip() {
    HWND window = FindWindowW(L"ZARN", nullptr);
    if (!window) return 2;
    HWND tip = zarn::testing::visibleTipOf(window);
    if (!tip) return 1;
    std::printf("%s\n", zarn::testing::windowTextOf(tip).c_str());
    return 0;
}

int printTipArea() {
    HWND window = FindWindowW(L"ZARN", nullptr);
    if (!window) return 2;
    HWND tip = zarn::testing::visibleTipOf(window);
    if (!tip) return 1;
    RECT both{};
    RECT windowArea{};
    RECT tipArea{};
    GetWindowRect(window, &windowArea);
    GetWindowRect(tip, &tipArea);
    UnionRect(&both, &windowArea, &tipArea);
    std::printf("%ldx%ld+%ld+%ld\n", both.right - both.left, both.bottom - both.top, both.left, both.top);
    return 0;
}

int printTipBeside(const std::wstring& token) {
    HWND window = FindWindowW(L"ZARN", nullptr);
    HWND line = inputLine();
    if (!window || !line) return 2;
    HWND tip = zarn::testing::visibleTipOf(window);
    // WM_GETTEXT itself: GetWindowTextW gives another process's control only its caption.
    std::wstring text(static_cast<std::size_t>(SendMessageW(line, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(line, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    const std::size_t start = text.rfind(token);
    if (!tip || token.empty() || start == std::wstring::npos) return 1;
    std::printf("%ld\n", std::labs(zarn::testing::stemX(tip) - zarn::testing::drawnMiddle(line, start, start + token.size())));
    return 0;
}

int copyLines(int argc) {
    std::wstring text;
    for (int i = 2; i < argc; ++i) text += (i > 2 ? L"\r\n" : L"") + wideArgument(i);
    // Copied from a text box, as from Notepad; the text stays on the clipboard after the probe.
    HWND box = CreateWindowExW(0, L"EDIT", text.c_str(), ES_MULTILINE, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                               nullptr);
    SendMessageW(box, EM_SETSEL, 0, -1);
    SendMessageW(box, WM_COPY, 0, 0);
    return box ? 0 : 1;
}

int printClipboard() try {
    const std::optional<std::wstring> text = zarn::clipboardText(nullptr);
    if (!text) return 1;
    std::printf("%s\n", zarn::utf8FromUtf16(*text).c_str());
    return 0;
} catch (const zarn::ClipboardBusy&) {
    return 1;
}

int postToMainWindow(UINT message, WPARAM wParam) {
    HWND window = FindWindowW(L"ZARN", nullptr);
    if (!window) return 2;
    PostMessageW(window, message, wParam, 0);
    return 0;
}

// Tells every top-level window that the system setting `area` changed, as Windows does.
int settingChanged(const std::wstring& area) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(area.c_str()), SMTO_ABORTIFHUNG,
                        5000, &result);
    return 0;
}

int printOnTop() {
    HWND window = FindWindowW(L"ZARN", nullptr);
    if (!window) return 2;
    std::printf("%d\n", (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0 ? 1 : 0);
    return 0;
}

int printPlace() {
    HWND window = FindWindowW(L"ZARN", nullptr);
    if (!window) return 2;
    RECT outer{};
    RECT client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    std::printf("%ld %ld %ld\n", outer.left, outer.top, client.right);
    return 0;
}

int moveTo(int left, int top, int clientWidth) {
    HWND window = FindWindowW(L"ZARN", nullptr);
    if (!window) return 2;
    RECT outer{};
    RECT client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    const int width = clientWidth + (outer.right - outer.left) - client.right;
    SetWindowPos(window, nullptr, left, top, width, outer.bottom - outer.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

int printForeground() {
    wchar_t title[256] = L"";
    GetWindowTextW(GetForegroundWindow(), title, static_cast<int>(std::size(title)));
    std::printf("%s\n", zarn::utf8FromUtf16(title).c_str());
    return 0;
}

int showWindow(const std::wstring& title, int seconds, const char* hotkey) {
    HWND window = CreateWindowExW(0, L"STATIC", title.c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 100,
                                  nullptr, nullptr, nullptr, nullptr);
    if (!window) return 1;
    std::printf("shown\n");
    if (hotkey) {
        const zarn::Hotkey key = zarn::parseHotkey(hotkey);
        if (!RegisterHotKey(window, 1, key.modifiers | MOD_NOREPEAT, key.virtualKey)) return 1;
        std::printf("held\n");
    }
    std::fflush(stdout);
    const ULONGLONG end = GetTickCount64() + 1000 * static_cast<ULONGLONG>(seconds);
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    return 0;
}

std::string eventName(DWORD event) {
    switch (event) {
    case EVENT_SYSTEM_ALERT: return "alert";
    case EVENT_SYSTEM_FOREGROUND: return "foreground";
    case EVENT_OBJECT_CREATE: return "create";
    case EVENT_OBJECT_DESTROY: return "destroy";
    case EVENT_OBJECT_SHOW: return "show";
    case EVENT_OBJECT_HIDE: return "hide";
    case EVENT_OBJECT_FOCUS: return "focus";
    case EVENT_OBJECT_LOCATIONCHANGE: return "locationchange";
    case EVENT_OBJECT_NAMECHANGE: return "namechange";
    case EVENT_OBJECT_VALUECHANGE: return "valuechange";
    default: {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%04lx", event);
        return hex;
    }
    }
}

std::string utf8Of(BSTR text) {
    std::string utf8 = text ? zarn::utf8FromUtf16(std::wstring(text, SysStringLen(text))) : "";
    SysFreeString(text);
    return utf8;
}

// Each event is printed as one whole line once read: reading the object asks the other process,
// and the hook may be called again for a later event meanwhile.
void CALLBACK printEvent(HWINEVENTHOOK, DWORD event, HWND source, LONG object, LONG child, DWORD, DWORD) {
    wchar_t className[64] = L"";
    GetClassNameW(source, className, static_cast<int>(std::size(className)));
    std::string line = eventName(event) + " " + zarn::utf8FromUtf16(className);
    IAccessible* accessible = nullptr;
    VARIANT self;
    VariantInit(&self);
    if (SUCCEEDED(AccessibleObjectFromEvent(source, static_cast<DWORD>(object), static_cast<DWORD>(child),
                                            &accessible, &self))) {
        VARIANT role;
        VariantInit(&role);
        accessible->get_accRole(self, &role);
        BSTR name = nullptr;
        BSTR value = nullptr;
        accessible->get_accName(self, &name);
        accessible->get_accValue(self, &value);
        line += " role=" + std::to_string(role.vt == VT_I4 ? role.lVal : 0L) + " name=[" + utf8Of(name) +
                "] value=[" + utf8Of(value) + "]";
        VariantClear(&role);
        accessible->Release();
    }
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

int printEvents(int seconds) {
    HWND window = FindWindowW(L"ZARN", nullptr);
    if (!window || seconds < 1) return 2;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, printEvent, process, 0, WINEVENT_OUTOFCONTEXT);
    if (!hook) return 1;
    std::printf("hooked\n");
    std::fflush(stdout);
    const ULONGLONG end = GetTickCount64() + 1000 * static_cast<ULONGLONG>(seconds);
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    UnhookWinEvent(hook);
    CoUninitialize();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "line") return printLine();
    if (command == "settext" && argc > 2) return setText(wideArgument(2));
    if (command == "box" && argc > 2) return printBox(argv[2]);
    if (command == "client") return printClient();
    if (command == "visible") return printVisible();
    if (command == "iconic") return printIconic();
    if (command == "widest") return printWidestClient();
    if (command == "xheight" && argc > 3) return printXHeight(zarn::utf8FromUtf16(wideArgument(2)).c_str(), argv[3]);
    if (command == "width" && argc > 4) return printWidth(zarn::utf8FromUtf16(wideArgument(2)), argv[3], wideArgument(4));
    if (command == "drawnwidth" && argc > 2) return printDrawnWidth(wideArgument(2));
    if (command == "fault" && argc > 2) return fault(argv[2]);
    if (command == "roundtrip" && argc > 3) {
        return roundTrip(static_cast<std::size_t>(std::atoi(argv[2])), std::atoi(argv[3]));
    }
    if (command == "tip") return printTip();
    if (command == "tiparea") return printTipArea();
    if (command == "tipbeside" && argc > 2) return printTipBeside(wideArgument(2));
    if (command == "copy") return copyLines(argc);
    if (command == "clipboard") return printClipboard();
    if (command == "close") return postToMainWindow(WM_CLOSE, 0);
    if (command == "quit" && argc > 2) return postToMainWindow(WM_QUIT, static_cast<WPARAM>(std::atoi(argv[2])));
    if (command == "ontop") return printOnTop();
    if (command == "settingchange" && argc > 2) return settingChanged(wideArgument(2));
    if (command == "events" && argc > 2) return printEvents(std::atoi(argv[2]));
    if (command == "place") return printPlace();
    if (command == "moveto" && argc > 4) return moveTo(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]));
    if (command == "foreground") return printForeground();
    if (command == "window" && argc > 3) return showWindow(wideArgument(2), std::atoi(argv[3]), argc > 4 ? argv[4] : nullptr);
    std::fputs("usage: zarn-probe line|settext TEXT|box TITLE|client|visible|iconic|widest|xheight FACE H|width FACE H TEXT|"
               "drawnwidth TEXT|fault KIND|roundtrip LENGTH REPEATS\n", stderr);
    std::fputs("       zarn-probe tip|tiparea|tipbeside TOKEN|copy LINE...|clipboard|close|quit CODE|ontop|\n"
               "       zarn-probe events SECONDS|settingchange AREA|place|moveto L T W|foreground|\n"
               "       zarn-probe window TITLE SECONDS [HOTKEY]\n",
               stderr);
    return 64;
}
