#pragma once
// The input line: the edit control whose typed operators, separators and commands are taken
// over and answered by the platform-free keystroke logic. The control is a Unicode one and is
// read and written in UTF-16; the logic sees its text as UTF-8 with byte offsets.

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "window/settings.hpp"
#include "window/win32/refusal_tip.hpp"

namespace zarn {

// The control's text in UTF-8 and its selection as byte offsets into it. An offset inside a
// surrogate pair counts as the pair's start; a lone surrogate reads as its own three bytes
// (window/utf16.hpp), so the text written back is the text that was read.
struct InputLineState {
    std::string text;
    std::size_t start = 0;
    std::size_t end = 0;
    bool operator==(const InputLineState&) const = default;
};

InputLineState readInputLine(HWND control);

// Installs inputLineProc as `control`'s (Unicode) window procedure, keeping the control's own
// with the line's state, and makes the line's tip and history, which live until the control is
// destroyed. A refused line shows the tip pointing at the refused token, a line cut by a
// division by zero shows it at the cut; the next key, a click, the focus leaving the line or any
// change of its text takes it away.
// Every evaluation is a step of the history (window/line_history.hpp). Ctrl+Z, Alt+Backspace,
// WM_UNDO, EM_UNDO and the control's context menu undo, Ctrl+Y and Ctrl+Shift+Z redo, each
// leaving the caret at the end of the line with nothing selected; EM_CANUNDO, and the context
// menu's Undo item, say whether an undo would change the line. The control's own undo buffer is
// never used. Ctrl+Backspace deletes the word before the caret, as typing, on the key itself (its
// character is swallowed), as does a DEL character from elsewhere.
// The locale's decimal separator typed enters "."; a paste enters the clipboard's whole text, made
// the line's (window/pasted_text.hpp), at the selection; a copy or a cut (WM_COPY, WM_CUT, and
// Ctrl+Insert and Shift+Delete, which Wine's control does without them) writes the locale's
// decimal separator (window/copied_text.hpp), unless setInputLineCopy says otherwise. A paste that
// cannot be made beeps.
// Each key that changes the line, and each tip, is announced to screen readers (announcer.hpp),
// and the control gets its accessible name when a client first asks for it.
void attachInputLine(HWND control);

// Takes the tip away, if one is shown: for whatever changes the line without the line's knowing
// (its text changed by anyone, EN_CHANGE; its top-level window moving). Does nothing for a
// control not attached.
void hideInputLineTip(HWND control);

// A system setting changed (WM_SETTINGCHANGE, which reaches only top-level windows, with its
// `area`, which may be null): after a change of the locale ("intl") the line reads its decimal
// separator and digit grouping again. Does nothing for a control not attached.
void inputLineSettingChanged(HWND control, const wchar_t* area);

// How the line copies from now on: CopyNotation::Line copies the text as it stands. Does nothing
// for a control not attached.
void setInputLineCopy(HWND control, CopyNotation copy);

// Gives the line's tip these colours (RefusalTip::setColours). Does nothing for a control not
// attached.
void setInputLineTipColours(HWND control, const TipColours& colours);

LRESULT CALLBACK inputLineProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// Replaces the control's whole text with the UTF-8 `text`, then puts the caret at byte offset
// `caret` with nothing selected. It is no step of the line's history.
void showResult(HWND control, std::string_view text, std::size_t caret);

}  // namespace zarn
