#pragma once
// The tokens of the line notation.

#include <cstddef>
#include <string_view>

namespace zarn {

// The notation, as a regular expression in the ECMAScript grammar: unsigned numbers, then
// parenthesised numbers, then parenthesised fractions, then the four operators. At each search
// the leftmost position that matches wins, and there the first alternative that matches.
// findToken() yields exactly the tokens a search with this pattern yields.
inline constexpr std::string_view tokenPattern =
    R"((\d*\.)?\d+|\(-?(\d*\.)?\d+\)|\(-?\d+/\d+\)|\+|-|\*|/)";

// What a token is, as the scanner found it.
enum class TokenKind : unsigned char {
    None,           // no token
    Number,         // an unsigned number: 12, 1.5, .5
    Parenthesised,  // a number or fraction in parentheses: (5), (-0.25), (-1/3)
    Add,
    Subtract,
    Multiply,
    Divide,
};

struct Token {
    std::size_t start = 0;
    std::size_t length = 0;  // 0: no token
    TokenKind kind = TokenKind::None;
};

// The first token at or after `from`, found in one forward pass without recursion;
// length 0 (kind None) when none is left. Characters before it belong to no token.
Token findToken(std::string_view line, std::size_t from);

}  // namespace zarn
