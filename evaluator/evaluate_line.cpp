#include "evaluator/evaluate_line.hpp"

#include <vector>

#include "evaluator/scanner.hpp"
#include "rational/frac.hpp"
#include "rational/text.hpp"

namespace zarn {

namespace {

// Makes up missing operands: an operator takes two values, and whichever the stack cannot
// supply is zero. Zeros go underneath, so 5 - computes 0 - 5.
void supplyOperands(std::vector<frac>& stack) {
    while (stack.size() < 2) stack.insert(stack.begin(), frac(0, 1));
}

// Values on the stack are canonical: zero is 0/1 and the sign is the numerator's.
void render(const std::vector<frac>& stack, ConvTo mode, std::string& out) {
    for (const frac& value : stack) {
        if (&value != &stack.front()) out += ' ';
        const bool negative = value.numerator() < 0;
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

RefusalCause causeOf(FracParseException::Reason reason) {
    switch (reason) {
        case FracParseException::Reason::ZeroDenominator: return RefusalCause::ZeroDenominator;
        case FracParseException::Reason::TooManyDigits: return RefusalCause::TooManyDigits;
        case FracParseException::Reason::TooLarge: return RefusalCause::TooLarge;
        case FracParseException::Reason::NotANumber: break;
    }
    return RefusalCause::NotANumber;
}

// The evaluation itself. A refusal is thrown on, after the refused token has been recorded in
// `report`; a cut is recorded there too. Both are rare, so only they pay for the record.
std::string run(std::string_view line, ConvTo mode, Evaluation& report) {
    const std::string_view prepared = text::stripped(line);
    // Offsets in `prepared` are this much short of those in the line as given.
    const auto leadingBlanks = [&] { return static_cast<std::size_t>(prepared.data() - line.data()); };
    // Every keystroke evaluates the whole line again: the stack's storage is kept from call to
    // call so that a long line does not pay for fresh memory each time. Its values are not, and
    // storage beyond keptBytes is given back, so that one very long line does not keep its
    // memory through every later evaluation.
    constexpr std::size_t keptBytes = std::size_t{1} << 20;
    thread_local std::vector<frac> stack;
    stack.clear();
    // Room for every value: two numbers need a character between them, and an operator makes
    // up at most two zeros. Reserving only claims address space; pages are touched as values
    // arrive, without copies as the stack grows.
    stack.reserve(prepared.size() / 2 + 2);
    const struct ClearOnExit {
        ~ClearOnExit() {
            stack.clear();
            if (stack.capacity() > keptBytes / sizeof(frac)) std::vector<frac>().swap(stack);
        }
    } clearOnExit;
    // The line is cut here on a division by zero: the start of the last token carried out.
    std::size_t fallbackEnd = 0;
    for (Token token = findToken(prepared, 0); token.length != 0;
         token = findToken(prepared, token.start + token.length)) {
        const std::string_view text = prepared.substr(token.start, token.length);
        try {
            switch (token.kind) {
                case TokenKind::Number: stack.emplace_back(text); break;
                case TokenKind::Parenthesised: stack.emplace_back(text.substr(1, text.size() - 2)); break;
                default: {
                    // a op b replaces a in place and b is dropped: the same value as a new
                    // a op b, without building one. A refusal leaves a unchanged, and the stack
                    // is discarded.
                    supplyOperands(stack);
                    const frac& b = stack.back();
                    frac& a = stack[stack.size() - 2];
                    switch (token.kind) {
                        case TokenKind::Add: a.addAssign(b); break;
                        case TokenKind::Subtract: a.subAssign(b); break;
                        case TokenKind::Multiply: a.mulAssign(b); break;
                        default:
                            if (b.numerator() == 0) {
                                report.cut = DivisionCut{leadingBlanks() + fallbackEnd, leadingBlanks() + token.start};
                                return std::string(prepared.substr(0, fallbackEnd));
                            }
                            a.divAssign(b);
                    }
                    stack.pop_back();
                }
            }
        } catch (const FracParseException& error) {
            report.refusal = Refusal{leadingBlanks() + token.start, token.length, causeOf(error.reason())};
            throw;
        } catch (const FracOverflowException&) {
            report.refusal = Refusal{leadingBlanks() + token.start, token.length, RefusalCause::ResultTooLarge};
            throw;
        }
        fallbackEnd = token.start;
    }
    std::string out;
    out.reserve(prepared.size());  // a rendered line is seldom longer than the line it came from
    render(stack, mode, out);
    return out;
}

}  // namespace

std::string evaluateLine(std::string_view line, ConvTo mode) {
    Evaluation unused;
    return run(line, mode, unused);
}

Evaluation evaluateLineInFull(std::string_view line, ConvTo mode) {
    Evaluation evaluation;
    try {
        evaluation.line = run(line, mode, evaluation);
    } catch (const FracParseException&) {
        // run() recorded the refused token before throwing on.
    } catch (const FracOverflowException&) {
    }
    return evaluation;
}

}  // namespace zarn
