#include "window/keystroke.hpp"

#include <algorithm>

#include "rational/frac.hpp"

namespace zarn {

namespace {

constexpr unsigned backspaceCode = 8;
constexpr unsigned tabCode = 9;
constexpr unsigned enterCode = 13;
constexpr unsigned escapeCode = 27;

KeyCommand evaluate(char c, ConvTo mode) { return KeyCommand{KeyCommand::Kind::Evaluate, c, mode}; }
KeyCommand only(KeyCommand::Kind kind) { return KeyCommand{kind, 0, ConvTo::Fraction}; }

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
        case KeyCommand::Kind::PassOn: return {KeystrokeAnswer::Action::PassOn, {}, 0};
        case KeyCommand::Kind::CloseWindow: return {KeystrokeAnswer::Action::Close, {}, 0};
        case KeyCommand::Kind::ClearLine: return {KeystrokeAnswer::Action::Show, {}, 0};
        case KeyCommand::Kind::Evaluate: break;
    }
    std::string result;
    try {
        result = evaluateLine(composeLine(text, start, end, command.character), command.mode);
    } catch (const FracParseException&) {
        // A number that cannot be read exactly, or a result that cannot be held: the line
        // stays as the user left it, to be mended.
        return {KeystrokeAnswer::Action::Refuse, {}, 0};
    } catch (const FracOverflowException&) {
        return {KeystrokeAnswer::Action::Refuse, {}, 0};
    }
    std::string shown = resultLine(std::move(result));
    const std::size_t caret = shown.size();
    return {KeystrokeAnswer::Action::Show, std::move(shown), caret};
}

}  // namespace zarn
