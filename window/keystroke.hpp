#pragma once
// What a typed character does to the input line, decided without any window system.
// The Win32 input-line procedure reads the control, calls answerKeystroke() and applies the answer.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "evaluator/evaluate_line.hpp"
#include "window/messages.hpp"

namespace zarn {

// A typed character's command, from the key table.
struct KeyCommand {
    enum class Kind { Evaluate, ClearLine, DeleteWordBefore, CloseWindow, PassOn };
    Kind kind = Kind::PassOn;
    char character = 0;               // Evaluate: the byte put in place of the selection
    ConvTo mode = ConvTo::Fraction;   // Evaluate: how the result is written
};

// The whole key table: a WM_CHAR character code and the Shift state to a command.
KeyCommand commandForChar(unsigned code, bool shiftDown);

// Only Enter (13) and Backspace (8) depend on Shift; the state is read for those alone.
bool commandDependsOnShift(unsigned code);

// text[0, start) + c + text[end, size): the selection, or nothing at the caret, replaced by c.
std::string composeLine(std::string_view text, std::size_t start, std::size_t end, char c);

// The line shown for an evaluated result: one space appended unless it is empty or already
// ends in a space.
std::string resultLine(std::string result);

// A note for the user beside the line, saying what became of it and pointing into it.
struct Tip {
    Message message;  // in the user's language when shown
    // What it points at, as byte offsets into the text the control holds once the answer is
    // applied: [start, end), or the place between two bytes when start == end.
    std::size_t start = 0;
    std::size_t end = 0;
    bool operator==(const Tip&) const = default;
};

// What the control must do after a typed character.
struct KeystrokeAnswer {
    enum class Action {
        Show,    // replace the whole text with `text` and put the caret at `caret`, nothing selected
        PassOn,  // hand the character to the control's own procedure
        Close,   // ask the main window to close
        Refuse,  // the line cannot be evaluated: keep text and selection, sound the warning beep
        Erase,   // delete [caret, eraseEnd) of the text as typing would, leaving the caret at `caret`
    };
    Action action = Action::PassOn;
    std::string text;
    std::size_t caret = 0;
    std::size_t eraseEnd = 0;
    // Refuse: always set, naming the refused token and why, pointing at it in the kept text
    // (at the selection or caret when it is the typed character itself).
    // Show: set when a division by zero cut the line, pointing at the cut.
    std::optional<Tip> tip;
};

// The answer for character `code` typed into `text` with the selection [start, end)
// (byte offsets; out-of-range offsets are clamped). Ctrl+Backspace's character, DEL, erases the
// selection, or else the word before the caret with the blanks after it, as modern text boxes
// do: a word is a run of anything but blanks, so a value such as "(1/3)" goes whole. A line the evaluator refuses
// (FracParseException, FracOverflowException) gives Refuse; other exceptions propagate.
KeystrokeAnswer answerKeystroke(std::string_view text, std::size_t start, std::size_t end, unsigned code,
                                bool shiftDown);

}  // namespace zarn
