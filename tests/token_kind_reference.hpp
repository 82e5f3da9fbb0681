#pragma once
// The kind a regular-expression match of tokenPattern has, read from its text alone: the
// reference the scanner's kinds are checked against, in the tests and the scanner fuzzer.

#include <string_view>

#include "evaluator/scanner.hpp"

namespace zarn::testing {

// An operator is its one character, a parenthesised number begins with "(", anything else is
// an unsigned number.
inline TokenKind kindOfMatch(std::string_view token) {
    switch (token.front()) {
        case '+': return TokenKind::Add;
        case '-': return TokenKind::Subtract;
        case '*': return TokenKind::Multiply;
        case '/': return TokenKind::Divide;
        case '(': return TokenKind::Parenthesised;
        default: return TokenKind::Number;
    }
}

}  // namespace zarn::testing
