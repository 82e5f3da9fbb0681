#include "window/win32/input_line.hpp"

#include <memory>
#include <new>
#include <optional>
#include <string>
#include <utility>

#include "window/copied_text.hpp"
#include "window/entered_text.hpp"
#include "window/keystroke.hpp"
#include "window/line_history.hpp"
#include "window/pasted_text.hpp"
#include "window/settings.hpp"
#include "window/win32/announcer.hpp"
#include "window/win32/clipboard_text.hpp"
#include "window/win32/message_texts.hpp"
#include "window/win32/pending_exception.hpp"
#include "window/win32/refusal_tip.hpp"
#include "window/utf16.hpp"
#include "window/win32/user_locale.hpp"

namespace zarn {

namespace {

constexpr WPARAM ctrlY = 0x19;
constexpr WPARAM ctrlZ = 0x1A;
constexpr WPARAM ctrlBackspace = 0x7F;  // DEL, as Windows types it

// A key down whose character becomes `character`, or nothing at all.
struct TakenKey {
    UINT scanCode;
    std::optional<WPARAM> character;
};

// What the input line keeps beside the control's text: the control's own window procedure, its
// tip, its history, the locale's way of writing numbers, how it copies and its accessibility
// annotations. Made by attachInputLine, kept behind the control's GWLP_USERDATA and deleted when
// the control is destroyed.
struct InputLine {
    explicit InputLine(HWND control) : tip(control), annotations(control, inputLineAccessibleName) {}
    WNDPROC controlProc = nullptr;
    RefusalTip tip;
    LineHistory history;
    NumberFormat numberFormat = userNumberFormat();  // again when the locale changes
    CopyNotation copy = CopyNotation::Locale;
    LineAnnotations annotations;  // after the tip: it goes first, clearing the tip's too
    // A key is down whose character is taken over (keyCharacter): it follows before the key's
    // release, with the same scan code (and extended bit).
    std::optional<TakenKey> takenKey;
};

UINT scanCodeOf(LPARAM lParam) { return (static_cast<UINT>(lParam) >> 16) & 0x1FF; }

// Ctrl+Backspace, Alt up (AltGr is Ctrl+Alt), deletes the word before the caret on the key itself:
// Windows types DEL for it, but Wine on X types Backspace's own 0x08, which its control ignores
// under Ctrl. The character the key makes, whichever it is, is then swallowed.
bool deletesWordBefore(UINT message, WPARAM wParam) {
    return message == WM_KEYDOWN && wParam == VK_BACK && (GetKeyState(VK_CONTROL) & 0x8000) != 0 &&
           (GetKeyState(VK_MENU) & 0x8000) == 0;
}

// The character a message carries as the line takes it; nothing when it is swallowed. Two keys'
// characters are taken over, each coming after its key with the same scan code:
// - The keypad's decimal key types the decimal separator of the keyboard's layout ("," on German,
//   French and most European ones), but in the notation there is only ".": the character that key
//   types is taken as "." whatever the layout, as calculators do. The main keyboard's "," stays
//   what it is. (VK_SEPARATOR is the decimal key's code on some layouts.)
// - Ctrl+Backspace's character is swallowed: the key itself deleted the word.
// Only those characters: any other key, a release, or a character from elsewhere (an Alt code, an
// on-screen keyboard, another program) ends the wait, so Ctrl with the keypad's key, which types
// nothing, leaves nothing behind.
std::optional<WPARAM> keyCharacter(InputLine& inputLine, UINT message, WPARAM wParam, LPARAM lParam) {
    const std::optional<TakenKey> down = std::exchange(inputLine.takenKey, std::nullopt);
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_DECIMAL || wParam == VK_SEPARATOR) inputLine.takenKey = TakenKey{scanCodeOf(lParam), '.'};
        if (deletesWordBefore(message, wParam)) inputLine.takenKey = TakenKey{scanCodeOf(lParam), std::nullopt};
        return wParam;
    case WM_CHAR: return down && down->scanCode == scanCodeOf(lParam) ? down->character : wParam;
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: return wParam;
    default: inputLine.takenKey = down; return wParam;  // messages that are no keys
    }
}

InputLine* inputLineOf(HWND control) {
    return reinterpret_cast<InputLine*>(GetWindowLongPtrW(control, GWLP_USERDATA));
}

// The next key, a click, the focus going, or the line moved or refitted by anyone else: the tip
// would point at something no longer there, so it goes. (So it does whenever the text changes,
// whoever changes it: the parent hears of that, EN_CHANGE, and calls hideInputLineTip.)
bool takesTipAway(UINT message) {
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_KILLFOCUS:
    case WM_SETFONT:
    case WM_WINDOWPOSCHANGED: return true;
    default: return false;
    }
}

// Shows the answer's tip in the user's language, its offsets counted in the UTF-8 `text` the
// control now holds.
void showTip(HWND control, InputLine& inputLine, TipKind kind, std::string_view text, const Tip& tip) {
    const std::string message = shownText(tip.message);
    inputLine.tip.show(kind, message, utf16OffsetOf(text, tip.start), utf16OffsetOf(text, tip.end));
    announceTip(control, inputLine.annotations, kind, inputLine.tip.window(), utf16FromUtf8(message));
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

// The control's context menu enables Undo by the control's own undo buffer (and tells no one
// before it opens): before it opens, the buffer is emptied, or armed to say what the history says,
// by a blank added at the end of the text and taken away again, which leaves text and selection
// as they were, an empty line included.
void matchUndoItemToHistory(HWND control, const InputLine& inputLine) {
    const bool historyCanUndo = inputLine.history.canUndo(readInputLine(control).text);
    const bool controlCanUndo = CallWindowProcW(inputLine.controlProc, control, EM_CANUNDO, 0, 0) != 0;
    if (controlCanUndo == historyCanUndo) return;
    if (!historyCanUndo) {
        CallWindowProcW(inputLine.controlProc, control, EM_EMPTYUNDOBUFFER, 0, 0);
        return;
    }
    DWORD start = 0, end = 0;
    SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const auto length = static_cast<WPARAM>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0));
    SendMessageW(control, EM_SETSEL, length, static_cast<LPARAM>(length));
    SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L" "));
    SendMessageW(control, EM_SETSEL, length, static_cast<LPARAM>(length + 1));
    SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
    SendMessageW(control, EM_SETSEL, start, static_cast<LPARAM>(end));
}

// The history's answer to a message, or nothing for a message it leaves to the rest.
std::optional<LRESULT> answerFromHistory(HWND control, InputLine& inputLine, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
    if (const std::optional<HistoryMove> move = historyMoveOf(message, wParam)) {
        moveThroughHistory(control, inputLine.history, *move);
        // Alt+Backspace still reaches the system, which would otherwise take the Alt's release
        // for a press of Alt alone and enter the menu.
        if (message == WM_SYSKEYDOWN) return DefWindowProcW(control, message, wParam, lParam);
        return message == WM_CHAR ? 0 : TRUE;
    }
    switch (message) {
    case EM_CANUNDO: return inputLine.history.canUndo(readInputLine(control).text) ? TRUE : FALSE;
    case WM_CONTEXTMENU: matchUndoItemToHistory(control, inputLine); return std::nullopt;
    // Alt+Backspace's character: the key has undone already, and the system would take it for a
    // menu's shortcut and beep.
    case WM_SYSCHAR: return wParam == VK_BACK ? std::optional<LRESULT>(0) : std::nullopt;
    default: return std::nullopt;
    }
}

// Deletes the UTF-8 bytes [start, end) of the text as the control's own editing would, so that
// it is typing like any other: no evaluation, the caret left at the start.
void erase(HWND control, std::string_view text, std::size_t start, std::size_t end) {
    if (start == end) return;
    SendMessageW(control, EM_SETSEL, utf16OffsetOf(text, start), static_cast<LPARAM>(utf16OffsetOf(text, end)));
    SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

// Wine's control pastes Shift+Insert itself, without sending WM_PASTE as Windows' does.
bool isShiftInsert(UINT message, WPARAM wParam) {
    return message == WM_KEYDOWN && wParam == VK_INSERT && (GetKeyState(VK_SHIFT) & 0x8000) != 0 &&
           (GetKeyState(VK_CONTROL) & 0x8000) == 0;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Ctrl+V, Shift+Insert, the context menu's Paste, or any program: the clipboard's whole text, made
// the line's (window/pasted_text.hpp, the line's digits beside the selection counted), replaces
// the selection in one change. It is typing, and evaluates nothing. (The control's own paste
// keeps only the text's first line.) A paste that cannot be made, the clipboard kept open
// elsewhere, a text beyond the memory left or one the line refuses (an exponent too large to
// write out), sounds the warning and leaves the line as it was.
LRESULT onPaste(HWND control, const InputLine& inputLine) {
    try {
        const std::optional<std::wstring> text = clipboardText(control);
        if (!text) return 0;
        const InputLineState line = readInputLine(control);
        const PasteSite site{line.start > 0 && isDigit(line.text[line.start - 1]),
                             line.end < line.text.size() && isDigit(line.text[line.end])};
        const std::optional<std::string> entered = pastedText(utf8FromUtf16(*text), inputLine.numberFormat, site);
        if (entered) {
            SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(utf16FromUtf8(*entered).c_str()));
            return 0;
        }
    } catch (const ClipboardBusy&) {
    } catch (const std::bad_alloc&) {
    }
    MessageBeep(MB_ICONWARNING);
    return 0;
}

// Ctrl+Insert copies and Shift+Delete cuts a selection, as Ctrl+C and Ctrl+X do: Wine's control
// does both itself, without sending itself the WM_COPY and WM_CUT the letters send.
std::optional<UINT> clipboardMessageOfKey(HWND control, UINT message, WPARAM wParam) {
    if (message != WM_KEYDOWN) return std::nullopt;
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0, ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (wParam == VK_INSERT && ctrl && !shift) return WM_COPY;
    if (wParam != VK_DELETE || !shift || ctrl) return std::nullopt;
    DWORD start = 0, end = 0;
    SendMessageW(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start != end ? std::optional<UINT>(WM_CUT) : std::nullopt;  // without one, the control's own
}

// WM_COPY and WM_CUT, whoever sends them: the selection goes to the clipboard with the locale's
// decimal separator (window/copied_text.hpp), and a cut then deletes it as typing would, once the
// clipboard holds it; a copy that cannot be made beeps. Nothing for the control's own copy and cut: with copy = line, or where the
// locale writes decimals with ".".
std::optional<LRESULT> onCopy(HWND control, const InputLine& inputLine, bool cut) {
    if (inputLine.copy == CopyNotation::Line || !inputLine.numberFormat.decimal) return std::nullopt;
    try {
        const InputLineState line = readInputLine(control);
        if (line.start == line.end) return 0;
        const std::string_view selected = std::string_view(line.text).substr(line.start, line.end - line.start);
        const std::wstring copied = utf16FromUtf8(copiedText(selected, inputLine.numberFormat.decimal));
        if (putClipboardText(control, copied)) {
            if (cut) erase(control, line.text, line.start, line.end);
            return 0;
        }
    } catch (const std::bad_alloc&) {
    }
    MessageBeep(MB_ICONWARNING);  // the clipboard kept open elsewhere, or no memory: the line stays
    return 0;
}

LRESULT onChar(HWND control, InputLine& inputLine, WPARAM wParam, LPARAM lParam) {
    const unsigned code = LOWORD(wParam);
    const bool shiftDown = commandDependsOnShift(code) && (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const InputLineState line = readInputLine(control);
    const KeystrokeAnswer answer = answerKeystroke(line.text, line.start, line.end, code, shiftDown);
    switch (answer.action) {
    case KeystrokeAnswer::Action::Show:
        showResult(control, answer.text, answer.caret);
        inputLine.history.recordEvaluation(line.text, answer.text);
        if (answer.text != line.text) announceLine(control, utf16FromUtf8(answer.text));
        if (answer.tip) showTip(control, inputLine, TipKind::Cut, answer.text, *answer.tip);
        return 0;
    case KeystrokeAnswer::Action::Erase:
        erase(control, line.text, answer.caret, answer.eraseEnd);
        return 0;
    case KeystrokeAnswer::Action::Close:
        PostMessageW(GetParent(control), WM_CLOSE, 0, 0);
        return 0;
    case KeystrokeAnswer::Action::Refuse:
        MessageBeep(MB_ICONWARNING);
        if (answer.tip) showTip(control, inputLine, TipKind::Refusal, line.text, *answer.tip);
        return 0;
    case KeystrokeAnswer::Action::PassOn:
        break;
    }
    return CallWindowProcW(inputLine.controlProc, control, WM_CHAR, wParam, lParam);
}

// The tip goes, and with it the alert level screen readers were given for it.
void hideTip(InputLine& inputLine) {
    inputLine.tip.hide();
    inputLine.annotations.clearAlertLevel();
}

}  // namespace

InputLineState readInputLine(HWND control) {
    const WideLine line = readWideLine(control);
    return {utf8FromUtf16(line.text), utf8OffsetOf(line.text, line.start), utf8OffsetOf(line.text, line.end)};
}

void attachInputLine(HWND control) {
    auto inputLine = std::make_unique<InputLine>(control);
    inputLine->controlProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_WNDPROC));
    SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(inputLine.release()));
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&inputLineProc));
}

void hideInputLineTip(HWND control) {
    if (InputLine* inputLine = inputLineOf(control)) hideTip(*inputLine);
}

void inputLineSettingChanged(HWND control, const wchar_t* area) {
    InputLine* inputLine = inputLineOf(control);
    if (inputLine && area && std::wstring_view(area) == L"intl") inputLine->numberFormat = userNumberFormat();
}

void setInputLineCopy(HWND control, CopyNotation copy) {
    if (InputLine* inputLine = inputLineOf(control)) inputLine->copy = copy;
}

void setInputLineTipColours(HWND control, const TipColours& colours) {
    if (InputLine* inputLine = inputLineOf(control)) inputLine->tip.setColours(colours);
}

LRESULT CALLBACK inputLineProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    InputLine* inputLine = inputLineOf(control);
    if (!inputLine) return DefWindowProcW(control, message, wParam, lParam);  // never attached
    if (message == WM_NCDESTROY) {
        // The last message the control gets: its tip goes with it. The control's own procedure
        // takes over first, to answer what the tip's and the annotations' going sends meanwhile.
        const WNDPROC controlProc = inputLine->controlProc;
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc));
        SetWindowLongPtrW(control, GWLP_USERDATA, 0);
        delete inputLine;
        return CallWindowProcW(controlProc, control, message, wParam, lParam);
    }
    if (takesTipAway(message)) hideTip(*inputLine);
    if (message == WM_GETOBJECT) inputLine->annotations.onObjectRequested();
    const std::optional<WPARAM> character = keyCharacter(*inputLine, message, wParam, lParam);
    if (!character) return 0;
    wParam = *character;
    try {
        if (deletesWordBefore(message, wParam)) return onChar(control, *inputLine, ctrlBackspace, lParam);
        if (message == WM_PASTE || isShiftInsert(message, wParam)) return onPaste(control, *inputLine);
        if (const std::optional<UINT> copying = clipboardMessageOfKey(control, message, wParam)) {
            SendMessageW(control, *copying, 0, 0);
            return 0;
        }
        if (message == WM_COPY || message == WM_CUT) {
            if (const std::optional<LRESULT> answer = onCopy(control, *inputLine, message == WM_CUT)) return *answer;
        }
        // The locale's decimal separator typed on the main keyboard enters ".", as the keypad's key does.
        if (message == WM_CHAR) wParam = typedCharacter(static_cast<unsigned>(wParam), inputLine->numberFormat.decimal);
        if (const std::optional<LRESULT> answer = answerFromHistory(control, *inputLine, message, wParam, lParam)) {
            return *answer;
        }
        if (message == WM_CHAR) return onChar(control, *inputLine, wParam, lParam);
    } catch (...) {
        keepPendingException(GetParent(control), message);
        return 0;
    }
    return CallWindowProcW(inputLine->controlProc, control, message, wParam, lParam);
}

void showResult(HWND control, std::string_view text, std::size_t caret) {
    const std::wstring wide = utf16FromUtf8(text);
    SendMessageW(control, EM_SETSEL, 0, -1);
    SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(wide.c_str()));
    putCaret(control, utf16OffsetOf(text, caret));
}

}  // namespace zarn
