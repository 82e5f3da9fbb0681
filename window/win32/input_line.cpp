#include "window/win32/input_line.hpp"

#include <memory>
#include <optional>
#include <string>

#include "window/keystroke.hpp"
#include "window/line_history.hpp"
#include "window/win32/announcer.hpp"
#include "window/win32/pending_exception.hpp"
#include "window/win32/refusal_tip.hpp"
#include "window/win32/utf16.hpp"

namespace zarn {

namespace {

constexpr WPARAM ctrlY = 0x19;
constexpr WPARAM ctrlZ = 0x1A;

WNDPROC previousInputProc = nullptr;

// What the input line keeps beside the control's text: its tip, its history and its accessible
// name. Made by attachInputLine, kept behind the control's GWLP_USERDATA and deleted when the
// control is destroyed.
struct InputLine {
    explicit InputLine(HWND control) : tip(control), name(control, inputLineAccessibleName) {}
    RefusalTip tip;
    LineHistory history;
    AccessibleName name;
    bool keypadDecimalDown = false;  // the last key pressed was the keypad's decimal key
};

// The keypad's decimal key types the decimal separator of the keyboard's layout ("," on German,
// French and most European ones), but in the notation there is only ".": the character that key
// types is taken as "." whatever the layout, as calculators do. The main keyboard's "," stays
// what it is. (VK_SEPARATOR is the decimal key's code on some layouts.)
WPARAM keypadCharacter(InputLine& inputLine, UINT message, WPARAM wParam) {
    if (message == WM_KEYDOWN) inputLine.keypadDecimalDown = wParam == VK_DECIMAL || wParam == VK_SEPARATOR;
    if (message != WM_CHAR || !inputLine.keypadDecimalDown) return wParam;
    inputLine.keypadDecimalDown = false;
    return '.';
}

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

// Undo and redo walk the line's history; the control's own undo is never used, as its one buffer
// would bring back whatever the last change replaced. Ctrl+Z is taken before the control, which
// would turn it into WM_UNDO sent to itself; its context menu's Undo sends WM_UNDO too.
enum class HistoryMove { Undo, Redo };

std::optional<HistoryMove> historyMoveOf(UINT message, WPARAM wParam) {
    if (message == WM_UNDO || message == EM_UNDO || (message == WM_SYSKEYDOWN && wParam == VK_BACK))
        return HistoryMove::Undo;
    if (message == WM_CHAR && wParam == ctrlY) return HistoryMove::Redo;
    if (message == WM_CHAR && wParam == ctrlZ)
        return (GetKeyState(VK_SHIFT) & 0x8000) != 0 ? HistoryMove::Redo : HistoryMove::Undo;
    return std::nullopt;
}

// The line an undo or a redo gives is shown with the caret at its end and nothing selected, as
// after an evaluation, so that the next operator goes after it.
void moveThroughHistory(HWND control, LineHistory& history, HistoryMove move) {
    const std::string current = readInputLine(control).text;
    const std::optional<std::string> line = move == HistoryMove::Undo ? history.undo(current) : history.redo(current);
    if (!line) return;
    showResult(control, *line, line->size());
    if (*line != current) announceLine(control, utf16FromUtf8(*line));
}

// The control's context menu enables Undo by the control's own undo buffer: before it opens, the
// buffer is emptied, or armed by replacing the text with itself, to say what the history says.
// (An empty line cannot arm it; every change the input line makes leaves it armed anyway.)
void matchUndoItemToHistory(HWND control, bool historyCanUndo) {
    const bool controlCanUndo = CallWindowProcW(previousInputProc, control, EM_CANUNDO, 0, 0) != 0;
    if (controlCanUndo == historyCanUndo) return;
    if (!historyCanUndo) {
        CallWindowProcW(previousInputProc, control, EM_EMPTYUNDOBUFFER, 0, 0);
        return;
    }
    const WideLine line = readWideLine(control);
    SendMessageW(control, EM_SETSEL, 0, -1);
    SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(line.text.c_str()));
    SendMessageW(control, EM_SETSEL, line.start, static_cast<LPARAM>(line.end));
}

// The history's answer to a message, or nothing for a message it leaves to the rest.
std::optional<LRESULT> answerFromHistory(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    InputLine* inputLine = inputLineOf(control);
    if (!inputLine) return std::nullopt;
    if (const std::optional<HistoryMove> move = historyMoveOf(message, wParam)) {
        moveThroughHistory(control, inputLine->history, *move);
        // Alt+Backspace still reaches the system, which would otherwise take the Alt's release
        // for a press of Alt alone and enter the menu.
        if (message == WM_SYSKEYDOWN) return DefWindowProcW(control, message, wParam, lParam);
        return message == WM_CHAR ? 0 : TRUE;
    }
    switch (message) {
    case EM_CANUNDO: return inputLine->history.canUndo(readInputLine(control).text) ? TRUE : FALSE;
    case WM_CONTEXTMENU:
        matchUndoItemToHistory(control, inputLine->history.canUndo(readInputLine(control).text));
        return std::nullopt;
    // Alt+Backspace's character: the key has undone already, and the system would take it for a
    // menu's shortcut and beep.
    case WM_SYSCHAR: return wParam == VK_BACK ? std::optional<LRESULT>(0) : std::nullopt;
    default: return std::nullopt;
    }
}

LRESULT onChar(HWND control, WPARAM wParam, LPARAM lParam) {
    const unsigned code = LOWORD(wParam);
    const bool shiftDown = commandDependsOnShift(code) && (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const InputLineState line = readInputLine(control);
    const KeystrokeAnswer answer = answerKeystroke(line.text, line.start, line.end, code, shiftDown);
    switch (answer.action) {
    case KeystrokeAnswer::Action::Show:
        showResult(control, answer.text, answer.caret);
        if (InputLine* inputLine = inputLineOf(control)) inputLine->history.recordEvaluation(line.text, answer.text);
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

void setInputLineTipColours(HWND control, const TipColours& colours) {
    if (InputLine* inputLine = inputLineOf(control)) inputLine->tip.setColours(colours);
}

LRESULT CALLBACK inputLineProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        // The last message the control gets: its tip goes with it.
        std::unique_ptr<InputLine> inputLine(inputLineOf(control));
        SetWindowLongPtrW(control, GWLP_USERDATA, 0);
        return CallWindowProcW(previousInputProc, control, message, wParam, lParam);
    }
    if (takesTipAway(message)) hideInputLineTip(control);
    if (InputLine* inputLine = inputLineOf(control)) {
        if (message == WM_GETOBJECT) inputLine->name.onObjectRequested();
        wParam = keypadCharacter(*inputLine, message, wParam);
    }
    try {
        if (const std::optional<LRESULT> answer = answerFromHistory(control, message, wParam, lParam)) return *answer;
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
