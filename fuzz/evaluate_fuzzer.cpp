// The line evaluator in both display modes: any bytes give a line or one of the two refusals,
// exactly what an independent evaluator over GMP's unbounded rationals gives; a line rendered in
// Fraction mode evaluates again to itself, one rendered in Decimal mode evaluates to the values
// of its digits (or is refused exactly when one does not fit), and a division-by-zero cut is a
// prefix of the stripped input.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "evaluator/evaluate_line.hpp"
#include "evaluator/scanner.hpp"
#include "fuzz/exact_number.hpp"
#include "fuzz/require.hpp"
#include "rational/frac.hpp"

namespace {

using zarn::ConvTo;
using namespace zarn::fuzzing;
using zarn::testing_support::fits;

struct Outcome {
    enum Kind { Rendered, Cut, ParseRefused, OverflowRefused } kind = Rendered;
    std::string line;

    bool operator==(const Outcome&) const = default;
};

std::string describe(const Outcome& o) {
    static const char* const names[] = {"rendered", "cut", "frac.parse", "frac.overflow"};
    return std::string(names[o.kind]) + " \"" + printable(o.line) + "\"";
}

mpq_class pop(std::vector<mpq_class>& stack) {
    if (stack.empty()) return 0;
    mpq_class top = stack.back();
    stack.pop_back();
    return top;
}

std::string render(const std::vector<mpq_class>& stack, ConvTo mode) {
    std::string out;
    for (const mpq_class& q : stack) {
        if (!out.empty()) out += ' ';
        const bool parenthesised = q < 0 || (mode == ConvTo::Fraction && q.get_den() != 1);
        const std::string text = mode == ConvTo::Decimal ? decimalText(q, 8) : fractionText(q);
        out += parenthesised ? "(" + text + ")" : text;
    }
    return out;
}

// The evaluation with exact values: missing operands are zero, a zero divisor cuts the stripped
// line before the token carried out last, a number is read by the reading rule (refused for a
// zero denominator, too many digits or a value that does not fit), and every result whose exact
// value does not fit is refused.
Outcome evaluateExactly(std::string_view line, ConvTo mode) {
    const std::string_view prepared = withoutBlanks(line);
    std::vector<mpq_class> stack;
    std::size_t lastTokenStart = 0;
    for (zarn::Token token = zarn::findToken(prepared, 0); token.length != 0;
         token = zarn::findToken(prepared, token.start + token.length)) {
        const std::string_view text = prepared.substr(token.start, token.length);
        if (text == "+" || text == "-" || text == "*" || text == "/") {
            const mpq_class b = pop(stack);
            const mpq_class a = pop(stack);
            mpq_class result;
            switch (text[0]) {
                case '+': result = a + b; break;
                case '-': result = a - b; break;
                case '*': result = a * b; break;
                default:
                    if (b == 0) return {Outcome::Cut, std::string(prepared.substr(0, lastTokenStart))};
                    result = a / b;
            }
            if (!fits(result)) return {Outcome::OverflowRefused, {}};
            stack.push_back(result);
        } else {
            const ReadNumber read = readNumber(text[0] == '(' ? text.substr(1, text.size() - 2) : text);
            if (!read.accepted) return {Outcome::ParseRefused, {}};
            stack.push_back(valueOf(read));
        }
        lastTokenStart = token.start;
    }
    return {Outcome::Rendered, render(stack, mode)};
}

// What evaluateLine gives; any exception other than the two refusals fails the run.
Outcome evaluate(std::string_view line, ConvTo mode) {
    try {
        return {Outcome::Rendered, zarn::evaluateLine(line, mode)};
    } catch (const zarn::FracParseException&) {
        return {Outcome::ParseRefused, {}};
    } catch (const zarn::FracOverflowException&) {
        return {Outcome::OverflowRefused, {}};
    } catch (const std::exception& e) {
        fail("evaluateLine lets an undocumented exception escape", line, e.what());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    for (const ConvTo mode : {ConvTo::Fraction, ConvTo::Decimal}) {
        const Outcome expected = evaluateExactly(input, mode);
        Outcome actual = evaluate(input, mode);
        // evaluateLine does not say whether its line is rendered or cut; the exact evaluation does.
        if (expected.kind == Outcome::Cut && actual.kind == Outcome::Rendered) actual.kind = Outcome::Cut;
        require(actual == expected, mode == ConvTo::Fraction ? "Fraction mode differs from exact evaluation"
                                                             : "Decimal mode differs from exact evaluation",
                input, describe(actual) + " instead of " + describe(expected));
        if (actual.kind == Outcome::Cut) {
            require(withoutBlanks(input).starts_with(actual.line), "a cut is not a prefix of the stripped line",
                    input);
        }
        if (mode == ConvTo::Fraction && actual.kind == Outcome::Rendered) {
            const Outcome again = evaluate(actual.line, ConvTo::Fraction);
            require(again == actual, "a rendered line does not evaluate to itself", input,
                    describe(actual) + " gives " + describe(again));
        }
        if (mode == ConvTo::Decimal && actual.kind == Outcome::Rendered) {
            // Decimals denote their digits: each is read by that value, or refused when it does not fit.
            const Outcome again = evaluate(actual.line, ConvTo::Fraction);
            const Outcome exact = evaluateExactly(actual.line, ConvTo::Fraction);
            require(again == exact, "a line written in Decimal mode does not read back by its digits' values", input,
                    describe(actual) + " gives " + describe(again) + " instead of " + describe(exact));
        }
    }
    return 0;
}
