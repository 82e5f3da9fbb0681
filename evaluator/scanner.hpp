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

struct Token {
    std::size_t start = 0;
    std::size_t length = 0;  // 0: no token
};

// The first token at or after `from`, found in one forward pass without recursion;
// length 0 when none is left. Characters before it belong to no token.
Token findToken(std::string_view line, std::size_t from);

}  // namespace zarn
