#include "window/keystroke.hpp"

#include <algorithm>

#include "evaluator/scanner.hpp"
#include "rational/text.hpp"

namespace zarn {

namespace {

constexpr unsigned backspaceCode = 8;
constexpr unsigned tabCode = 9;
constexpr unsigned enterCode = 13;
constexpr unsigned escapeCode = 27;
constexpr unsigned deleteCode = 127;  // Ctrl+Backspace

KeyCommand evaluate(char c, ConvTo mode) { return KeyCommand{KeyCommand::Kind::Evaluate, c, mode}; }
KeyCommand only(KeyCommand::Kind kind) { return KeyCommand{kind, 0, ConvTo::Fraction}; }

// A token as a tip names it (its text puts it in quotes); a long one keeps its start and its end,
// which tell it apart.
std::string shortened(std::string_view token) {
    constexpr std::size_t longest = 40, head = 24, tail = 12;
    if (token.size() <= longest) return std::string(token);
    return std::string(token.substr(0, head)).append("...").append(token.substr(token.size() - tail));
}

// The composed line is the text with [start, end) replaced by one typed byte at `start`. A
// boundary in it, mapped back into the text: the typed byte stands for the whole selection.
struct Composition {
    std::size_t start, end;
    std::size_t toText(std::size_t offset) const { return offset <= start ? offset : offset - 1 - start + end; }
};

Tip refusalTip(std::string_view line, const Refusal& refusal, Composition composition) {
    const std::string_view token = line.substr(refusal.offset, refusal.length);
    return {Message{refusalMessage(refusal.cause), {shortened(token)}}, composition.toText(refusal.offset),
            composition.toText(refusal.offset + refusal.length)};
}

// Points at the end of the kept text, where the line was cut, and names the token cut away
// first: the one carried out last before the "/". When the "/" came first, nothing is kept.
Tip cutTip(std::string_view line, const DivisionCut& cut, std::size_t keptLength) {
    const Token first = findToken(line, cut.cutOffset);
    if (first.start == cut.cutOffset && first.start != cut.divisionOffset) {
        return {Message{MessageId::CutBefore, {shortened(line.substr(first.start, first.length))}}, keptLength,
                keptLength};
    }
    return {Message{MessageId::CutEmptied, {}}, keptLength, keptLength};
}

// Where the word before `caret` starts: back over blanks, then over everything else. Blanks are
// ASCII, so a character beyond ASCII is never cut.
std::size_t wordStartBefore(std::string_view line, std::size_t caret) {
    while (caret > 0 && text::isBlank(line[caret - 1])) --caret;
    while (caret > 0 && !text::isBlank(line[caret - 1])) --caret;
    return caret;
}

}  // namespace

KeyCommand commandForChar(unsigned code, bool shiftDown) {
    switch (code) {
        case '+':
        case ';': return evaluate('+', ConvTo::Fraction);
        case '-': return evaluate('-', ConvTo::Fraction);
        case '*':
        case ':': return evaluate('*', ConvTo::Fraction);
        case '/': return evaluate('/', ConvTo::Fraction);
        case ' ':
        case tabCode: return evaluate(' ', ConvTo::Fraction);
        case enterCode: return evaluate(' ', shiftDown ? ConvTo::Decimal : ConvTo::Fraction);
        case backspaceCode: return only(shiftDown ? KeyCommand::Kind::ClearLine : KeyCommand::Kind::PassOn);
        case escapeCode: return only(KeyCommand::Kind::CloseWindow);
        case deleteCode: return only(KeyCommand::Kind::DeleteWordBefore);
        default: return only(KeyCommand::Kind::PassOn);
    }
}

bool commandDependsOnShift(unsigned code) { return code == enterCode || code == backspaceCode; }

std::string composeLine(std::string_view text, std::size_t start, std::size_t end, char c) {
    // Offsets past the text, or a start past the end, are clamped rather than trusted.
    end = std::min(end, text.size());
    start = std::min(start, end);
    std::string line;
    line.reserve(text.size() - (end - start) + 1);
    line.append(text.substr(0, start));
    line += c;
    line.append(text.substr(end));
    return line;
}

std::string resultLine(std::string result) {
    if (!result.empty() && result.back() != ' ') result += ' ';
    return result;
}

KeystrokeAnswer answerKeystroke(std::string_view text, std::size_t start, std::size_t end, unsigned code,
                                bool shiftDown) {
    const KeyCommand command = commandForChar(code, shiftDown);
    switch (command.kind) {
        case KeyCommand::Kind::PassOn: return {KeystrokeAnswer::Action::PassOn, {}, 0, 0, {}};
        case KeyCommand::Kind::CloseWindow: return {KeystrokeAnswer::Action::Close, {}, 0, 0, {}};
        case KeyCommand::Kind::ClearLine: return {KeystrokeAnswer::Action::Show, {}, 0, 0, {}};
        case KeyCommand::Kind::DeleteWordBefore:
        case KeyCommand::Kind::Evaluate: break;
    }
    end = std::min(end, text.size());
    start = std::min(start, end);
    if (command.kind == KeyCommand::Kind::DeleteWordBefore) {
        return {KeystrokeAnswer::Action::Erase, {}, start == end ? wordStartBefore(text, end) : start, end, {}};
    }
    const std::string line = composeLine(text, start, end, command.character);
    Evaluation evaluation = evaluateLineInFull(line, command.mode);
    if (evaluation.refusal) {
        // A number that cannot be read exactly, or a result that cannot be held: the line
        // stays as the user left it, to be mended, and the tip points into it.
        KeystrokeAnswer answer{KeystrokeAnswer::Action::Refuse, {}, 0, 0, {}};
        answer.tip = refusalTip(line, *evaluation.refusal, Composition{start, end});
        return answer;
    }
    const std::size_t keptLength = evaluation.line.size();
    std::string shown = resultLine(std::move(evaluation.line));
    const std::size_t caret = shown.size();
    KeystrokeAnswer answer{KeystrokeAnswer::Action::Show, std::move(shown), caret, 0, {}};
    if (evaluation.cut) answer.tip = cutTip(line, *evaluation.cut, keptLength);
    return answer;
}

}  // namespace zarn
