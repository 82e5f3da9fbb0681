#pragma once
// The calculator's engine: a line of postfix notation in, the resulting stack out as a line.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "evaluator/refusal.hpp"

namespace zarn {

// How values are written back: integers and fractions, or decimals cut after 8 digits.
enum class ConvTo { Fraction = 0, Decimal = 1 };

// Evaluates `line` as a postfix program on a stack of exact values and returns the stack,
// bottom first, in the same notation: values separated by one space, negative values and
// (in Fraction mode) non-integers in parentheses. Characters outside tokens are ignored and a
// missing operand is zero. A division by zero stops the evaluation and returns the stripped
// line cut just before the token carried out last before the "/".
// Throws FracParseException for a number token that cannot be read exactly and
// FracOverflowException for a result that does not fit; nothing partial is returned.
std::string evaluateLine(std::string_view line, ConvTo mode);

// Where a division by zero cut the line, as byte offsets into the line as given: the result is
// the line from its first non-blank byte up to `cutOffset`.
struct DivisionCut {
    std::size_t cutOffset = 0;       // the start of the token carried out last before the "/"
    std::size_t divisionOffset = 0;  // the "/" whose divisor was zero
    bool operator==(const DivisionCut&) const = default;
};

// An evaluation told in full: the new line, or the token that was refused and why.
struct Evaluation {
    std::string line;                 // what evaluateLine returns; empty when refused
    std::optional<Refusal> refusal;   // set when evaluateLine would throw
    std::optional<DivisionCut> cut;   // set when a division by zero cut `line`
};

// evaluateLine, with a refusal reported instead of thrown. Any other exception (out of
// memory) propagates.
Evaluation evaluateLineInFull(std::string_view line, ConvTo mode);

}  // namespace zarn
