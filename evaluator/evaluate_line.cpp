#include "evaluator/evaluate_line.hpp"

#include <utility>
#include <vector>

#include "evaluator/scanner.hpp"
#include "rational/frac.hpp"
#include "rational/text.hpp"

namespace zarn {

namespace {

std::string_view stripped(std::string_view s) {
    while (!s.empty() && text::isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && text::isBlank(s.back())) s.remove_suffix(1);
    return s;
}

bool isOperator(std::string_view token) {
    return token.size() == 1 && (token[0] == '+' || token[0] == '-' || token[0] == '*' || token[0] == '/');
}

// The top value, or zero when the stack is empty.
frac popOperand(std::vector<frac>& stack) {
    if (stack.empty()) return frac(0, 1);
    frac top = std::move(stack.back());
    stack.pop_back();
    return top;
}

void render(const std::vector<frac>& stack, ConvTo mode, std::string& out) {
    for (const frac& value : stack) {
        if (&value != &stack.front()) out += ' ';
        const bool negative = value.compareReal(0) < 0;
        const bool parenthesised = negative || (mode != ConvTo::Decimal && value.denominator() != 1);
        if (parenthesised) out += '(';
        out += mode == ConvTo::Decimal ? value.toDecimalString(8) : value.toFractionString();
        if (parenthesised) out += ')';
    }
}

}  // namespace

std::string evaluateLine(std::string_view line, ConvTo mode) {
    const std::string_view prepared = stripped(line);
    // Every keystroke evaluates the whole line again: the stack's storage is kept from call to
    // call so that a long line does not pay for fresh memory each time. Its values are not.
    thread_local std::vector<frac> stack;
    stack.clear();
    const struct ClearOnExit {
        ~ClearOnExit() { stack.clear(); }
    } clearOnExit;
    // The line is cut here on a division by zero: the start of the last token carried out.
    std::size_t fallbackEnd = 0;
    for (Token token = findToken(prepared, 0); token.length != 0;
         token = findToken(prepared, token.start + token.length)) {
        const std::string_view text = prepared.substr(token.start, token.length);
        if (isOperator(text)) {
            const frac b = popOperand(stack);
            const frac a = popOperand(stack);
            switch (text[0]) {
                case '+': stack.push_back(a.add(b)); break;
                case '-': stack.push_back(a.sub(b)); break;
                case '*': stack.push_back(a.mul(b)); break;
                default:
                    if (b.equalsReal(0)) return std::string(prepared.substr(0, fallbackEnd));
                    stack.push_back(a.div(b));
            }
        } else if (text.front() == '(') {
            stack.emplace_back(text.substr(1, text.size() - 2));
        } else {
            stack.emplace_back(text);
        }
        fallbackEnd = token.start;
    }
    std::string out;
    out.reserve(prepared.size());  // a rendered line is seldom longer than the line it came from
    render(stack, mode, out);
    return out;
}

}  // namespace zarn
