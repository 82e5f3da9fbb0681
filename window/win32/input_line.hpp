#pragma once
// The input line: the edit control whose typed operators, separators and commands are taken
// over and answered by the platform-free keystroke logic.

#include <windows.h>

#include <string_view>

namespace zarn {

// Installs inputLineProc as `control`'s window procedure, keeping the control's own.
void attachInputLine(HWND control);

LRESULT CALLBACK inputLineProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// Replaces the control's whole text with `text` as one undoable edit, then puts the caret at
// `caret` with nothing selected. Ctrl+Z brings back the line as it was before.
void showResult(HWND control, std::string_view text, std::size_t caret);

}  // namespace zarn
