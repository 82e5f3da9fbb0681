#include "evaluator/evaluate_line.hpp"

#include <vector>

#include "evaluator/scanner.hpp"
#include "rational/frac.hpp"
#include "rational/text.hpp"

namespace zarn {

namespace {

bool isOperator(std::string_view token) {
    return token.size() == 1 && (token[0] == '+' || token[0] == '-' || token[0] == '*' || token[0] == '/');
}

// Makes up missing operands: an operator takes two values, and whichever the stack cannot
// supply is zero. Zeros go underneath, so 5 - computes 0 - 5.
void supplyOperands(std::vector<frac>& stack) {
    while (stack.size() < 2) stack.insert(stack.begin(), frac(0, 1));
}

void render(const std::vector<frac>& stack, ConvTo mode, std::string& out) {
    for (const frac& value : stack) {
        if (&value != &stack.front()) out += ' ';
        const bool negative = value.compareReal(0) < 0;
        const bool parenthesised = negative || (mode != ConvTo::Decimal && value.denominator() != 1);
        if (parenthesised) out += '(';
        if (mode == ConvTo::Decimal) {
            value.appendDecimalString(out, 8);
        } else {
            value.appendFractionString(out);
        }
        if (parenthesised) out += ')';
    }
}

}  // namespace

std::string evaluateLine(std::string_view line, ConvTo mode) {
    const std::string_view prepared = text::stripped(line);
    // Every keystroke evaluates the whole line again: the stack's storage is kept from call to
    // call so that a long line does not pay for fresh memory each time. Its values are not.
    thread_local std::vector<frac> stack;
    stack.clear();
    // Room for every value: two numbers need a character between them, and an operator makes
    // up at most two zeros. Reserving only claims address space; pages are touched as values
    // arrive, without copies as the stack grows.
    stack.reserve(prepared.size() / 2 + 2);
    const struct ClearOnExit {
        ~ClearOnExit() { stack.clear(); }
    } clearOnExit;
    // The line is cut here on a division by zero: the start of the last token carried out.
    std::size_t fallbackEnd = 0;
    for (Token token = findToken(prepared, 0); token.length != 0;
         token = findToken(prepared, token.start + token.length)) {
        const std::string_view text = prepared.substr(token.start, token.length);
        if (isOperator(text)) {
            // a op b replaces a in place and b is dropped: the same value as a new a op b,
            // without building one. A refusal leaves a unchanged, and the stack is discarded.
            supplyOperands(stack);
            const frac& b = stack.back();
            frac& a = stack[stack.size() - 2];
            switch (text[0]) {
                case '+': a.addAssign(b); break;
                case '-': a.subAssign(b); break;
                case '*': a.mulAssign(b); break;
                default:
                    if (b.equalsReal(0)) return std::string(prepared.substr(0, fallbackEnd));
                    a.divAssign(b);
            }
            stack.pop_back();
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
