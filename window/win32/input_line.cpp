#include "window/win32/input_line.hpp"

#include <string>

#include "window/keystroke.hpp"
#include "window/win32/pending_exception.hpp"

namespace zarn {

namespace {

WNDPROC previousInputProc = nullptr;

LRESULT onChar(HWND control, WPARAM wParam, LPARAM lParam) {
    const unsigned code = LOWORD(wParam);
    const bool shiftDown = commandDependsOnShift(code) && (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const InputLineState line = readInputLine(control);
    const KeystrokeAnswer answer = answerKeystroke(line.text, line.start, line.end, code, shiftDown);
    switch (answer.action) {
    case KeystrokeAnswer::Action::Show:
        showResult(control, answer.text, answer.caret);
        return 0;
    case KeystrokeAnswer::Action::Close:
        PostMessageA(GetParent(control), WM_CLOSE, 0, 0);
        return 0;
    case KeystrokeAnswer::Action::Refuse:
        MessageBeep(MB_ICONWARNING);
        return 0;
    case KeystrokeAnswer::Action::PassOn:
        break;
    }
    return CallWindowProcA(previousInputProc, control, WM_CHAR, wParam, lParam);
}

}  // namespace

InputLineState readInputLine(HWND control) {
    const auto length = static_cast<std::size_t>(SendMessageA(control, WM_GETTEXTLENGTH, 0, 0));
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    std::string text(length + 1, '\0');
    const auto copied = static_cast<std::size_t>(
        SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied < length ? copied : length);
    return {std::move(text), start, end};
}

void attachInputLine(HWND control) {
    previousInputProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&inputLineProc)));
}

LRESULT CALLBACK inputLineProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CHAR) return CallWindowProcA(previousInputProc, control, message, wParam, lParam);
    try {
        return onChar(control, wParam, lParam);
    } catch (...) {
        keepPendingException(GetParent(control), message);
        return 0;
    }
}

void showResult(HWND control, std::string_view text, std::size_t caret) {
    const std::string terminated(text);
    SendMessageA(control, EM_SETSEL, 0, -1);
    SendMessageA(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(terminated.c_str()));
    SendMessageA(control, EM_SETSEL, caret, static_cast<LPARAM>(caret));
    SendMessageA(control, EM_SCROLLCARET, 0, 0);
}

}  // namespace zarn
