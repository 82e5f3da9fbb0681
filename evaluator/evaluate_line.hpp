#pragma once
// The calculator's engine: a line of postfix notation in, the resulting stack out as a line.

#include <string>
#include <string_view>

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

}  // namespace zarn
