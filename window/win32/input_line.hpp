#pragma once
// The input line: the edit control whose typed operators, separators and commands are taken
// over and answered by the platform-free keystroke logic.

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace zarn {

// The control's text and selection, as byte offsets.
struct InputLineState {
    std::string text;
    std::size_t start = 0;
    std::size_t end = 0;
    bool operator==(const InputLineState&) const = default;
};

InputLineState readInputLine(HWND control);

// Installs inputLineProc as `control`'s window procedure, keeping the control's own.
void attachInputLine(HWND control);

LRESULT CALLBACK inputLineProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// Replaces the control's whole text with `text` as one undoable edit, then puts the caret at
// `caret` with nothing selected. Ctrl+Z brings back the line as it was before.
void showResult(HWND control, std::string_view text, std::size_t caret);

}  // namespace zarn
