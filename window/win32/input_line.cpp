#include "window/win32/input_line.hpp"

#include <memory>
#include <string>

#include "window/keystroke.hpp"
#include "window/win32/announcer.hpp"
#include "window/win32/pending_exception.hpp"
#include "window/win32/refusal_tip.hpp"
#include "window/win32/utf16.hpp"

namespace zarn {

namespace {

constexpr WPARAM ctrlZ = 0x1A;

WNDPROC previousInputProc = nullptr;

// What the input line keeps beside the control's text: its tip and its accessible name. Made
// by attachInputLine, kept behind the control's GWLP_USERDATA and deleted when the control is
// destroyed.
struct InputLine {
    explicit InputLine(HWND control) : tip(control), name(control, inputLineAccessibleName) {}
    RefusalTip tip;
    AccessibleName name;
    bool undoing = false;  // inside an undo that changes the line: see undoWithCaretAtEnd
};

InputLine* inputLineOf(HWND control) {
    return reinterpret_cast<InputLine*>(GetWindowLongPtrW(control, GWLP_USERDATA));
}

// The next key, a click, the focus going, or the line changed, moved or refitted by anyone
// else: the tip would point at something no longer there, so it goes.
bool takesTipAway(UINT message) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KILLFOCUS:
    case WM_SETTEXT:
    case WM_SETFONT:
    case WM_WINDOWPOSCHANGED: return true;
    default: return false;
    }
}

// Shows the answer's tip, its offsets counted in the UTF-8 `text` the control now holds.
void showTip(HWND control, TipKind kind, std::string_view text, const Tip& tip) {
    if (InputLine* inputLine = inputLineOf(control)) {
        inputLine->tip.show(kind, tip.message, utf16OffsetOf(text, tip.start), utf16OffsetOf(text, tip.end));
        announceTip(control, kind, inputLine->tip.window(), utf16FromUtf8(tip.message));
    }
}

// The control's text and selection as it holds them, in UTF-16 units.
struct WideLine {
    std::wstring text;
    DWORD start = 0;
    DWORD end = 0;
    bool operator==(const WideLine&) const = default;
};

WideLine readWideLine(HWND control) {
    const auto length = static_cast<std::size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0));
    WideLine line;
    SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&line.start), reinterpret_cast<LPARAM>(&line.end));
    line.text.assign(length + 1, L'\0');
    const auto copied = static_cast<std::size_t>(
        SendMessageW(control, WM_GETTEXT, line.text.size(), reinterpret_cast<LPARAM>(line.text.data())));
    line.text.resize(copied < length ? copied : length);
    return line;
}

void putCaret(HWND control, std::size_t units) {
    SendMessageW(control, EM_SETSEL, units, static_cast<LPARAM>(units));
    SendMessageW(control, EM_SCROLLCARET, 0, 0);
}

// Every way the control undoes: the messages, Ctrl+Z (which Wine's control turns into WM_UNDO
// sent to itself) and Alt+Backspace.
bool mayUndo(UINT message, WPARAM wParam) {
    return message == WM_UNDO || message == EM_UNDO || (message == WM_CHAR && wParam == ctrlZ) ||
           (message == WM_SYSKEYDOWN && wParam == VK_BACK);
}

// The control selects the text an undo brings back, so the next operator would replace all of
// it. After an undo the caret stands at the end instead, as after an evaluation; the control's
// undo buffer is untouched, so undoing again still toggles back. The control undoes Ctrl+Z
// through a WM_UNDO sent to itself: that inner undo is the control's own, and the outer one
// announces the line once.
LRESULT undoWithCaretAtEnd(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    InputLine* inputLine = inputLineOf(control);
    if (inputLine && inputLine->undoing) return CallWindowProcW(previousInputProc, control, message, wParam, lParam);
    const WideLine before = readWideLine(control);
    if (inputLine) inputLine->undoing = true;
    const LRESULT result = CallWindowProcW(previousInputProc, control, message, wParam, lParam);
    if (inputLine) inputLine->undoing = false;
    const WideLine after = readWideLine(control);
    if (after != before) putCaret(control, after.text.size());
    if (after.text != before.text) announceLine(control, after.text);
    return result;
}

LRESULT onChar(HWND control, WPARAM wParam, LPARAM lParam) {
    const unsigned code = LOWORD(wParam);
    const bool shiftDown = commandDependsOnShift(code) && (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const InputLineState line = readInputLine(control);
    const KeystrokeAnswer answer = answerKeystroke(line.text, line.start, line.end, code, shiftDown);
    switch (answer.action) {
    case KeystrokeAnswer::Action::Show:
        showResult(control, answer.text, answer.caret);
        if (answer.text != line.text) announceLine(control, utf16FromUtf8(answer.text));
        if (answer.tip) showTip(control, TipKind::Cut, answer.text, *answer.tip);
        return 0;
    case KeystrokeAnswer::Action::Close:
        PostMessageW(GetParent(control), WM_CLOSE, 0, 0);
        return 0;
    case KeystrokeAnswer::Action::Refuse:
        MessageBeep(MB_ICONWARNING);
        if (answer.tip) showTip(control, TipKind::Refusal, line.text, *answer.tip);
        return 0;
    case KeystrokeAnswer::Action::PassOn:
        break;
    }
    return CallWindowProcW(previousInputProc, control, WM_CHAR, wParam, lParam);
}

}  // namespace

InputLineState readInputLine(HWND control) {
    const WideLine line = readWideLine(control);
    return {utf8FromUtf16(line.text), utf8OffsetOf(line.text, line.start), utf8OffsetOf(line.text, line.end)};
}

void attachInputLine(HWND control) {
    auto inputLine = std::make_unique<InputLine>(control);
    SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(inputLine.release()));
    previousInputProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&inputLineProc)));
}

void hideInputLineTip(HWND control) {
    if (InputLine* inputLine = inputLineOf(control)) inputLine->tip.hide();
}

LRESULT CALLBACK inputLineProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        // The last message the control gets: its tip goes with it.
        std::unique_ptr<InputLine> inputLine(inputLineOf(control));
        SetWindowLongPtrW(control, GWLP_USERDATA, 0);
        return CallWindowProcW(previousInputProc, control, message, wParam, lParam);
    }
    if (takesTipAway(message)) hideInputLineTip(control);
    if (message == WM_GETOBJECT) {
        if (InputLine* inputLine = inputLineOf(control)) inputLine->name.onObjectRequested();
    }
    try {
        if (mayUndo(message, wParam)) return undoWithCaretAtEnd(control, message, wParam, lParam);
        if (message == WM_CHAR) return onChar(control, wParam, lParam);
    } catch (...) {
        keepPendingException(GetParent(control), message);
        return 0;
    }
    return CallWindowProcW(previousInputProc, control, message, wParam, lParam);
}

void showResult(HWND control, std::string_view text, std::size_t caret) {
    const std::wstring wide = utf16FromUtf8(text);
    SendMessageW(control, EM_SETSEL, 0, -1);
    SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
    putCaret(control, utf16OffsetOf(text, caret));
}

}  // namespace zarn
