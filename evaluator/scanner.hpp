#pragma once
// The tokens of the line notation.

#include <array>
#include <cstddef>
#include <string_view>

#include "rational/text.hpp"

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

// How findToken matches, alternative by alternative. Defined in the header so that the
// evaluator's loop over the tokens compiles as one piece: a call per token cost about a tenth
// of evaluateLine's speed on short lines of integers.
namespace scanning {

inline std::size_t skipDigits(std::string_view s, std::size_t i) {
    while (i < s.size() && text::isDigit(s[i])) ++i;
    return i;
}

// (\d*\.)?\d+ at i: the end of the match, or i when it does not match.
// With the optional group the match is digits, ".", digits; without it, digits alone.
inline std::size_t matchNumber(std::string_view s, std::size_t i) {
    const std::size_t integerEnd = skipDigits(s, i);
    if (integerEnd < s.size() && s[integerEnd] == '.') {
        const std::size_t fractionEnd = skipDigits(s, integerEnd + 1);
        if (fractionEnd > integerEnd + 1) return fractionEnd;
    }
    return integerEnd;
}

// \(-?(\d*\.)?\d+\) or \(-?\d+/\d+\) at i (s[i] == '('): the end of the match, or i.
inline std::size_t matchParenthesised(std::string_view s, std::size_t i) {
    std::size_t j = i + 1;
    if (j < s.size() && s[j] == '-') ++j;
    const std::size_t numberEnd = matchNumber(s, j);
    if (numberEnd == j) return i;
    if (numberEnd < s.size() && s[numberEnd] == ')') return numberEnd + 1;
    // A fraction needs an integer numerator: digits right up to the "/".
    if (numberEnd < s.size() && s[numberEnd] == '/' && skipDigits(s, j) == numberEnd) {
        const std::size_t denominatorEnd = skipDigits(s, numberEnd + 1);
        if (denominatorEnd > numberEnd + 1 && denominatorEnd < s.size() && s[denominatorEnd] == ')') {
            return denominatorEnd + 1;
        }
    }
    return i;
}

// The token at i: its kind and end; kind None when none begins there.
struct Match {
    TokenKind kind;
    std::size_t end;
};

inline Match matchAt(std::string_view s, std::size_t i) {
    switch (s[i]) {
        case '+': return {TokenKind::Add, i + 1};
        case '-': return {TokenKind::Subtract, i + 1};
        case '*': return {TokenKind::Multiply, i + 1};
        case '/': return {TokenKind::Divide, i + 1};
        case '(': {
            const std::size_t end = matchParenthesised(s, i);
            return {end > i ? TokenKind::Parenthesised : TokenKind::None, end};
        }
        default: {
            const std::size_t end = matchNumber(s, i);
            return {end > i ? TokenKind::Number : TokenKind::None, end};
        }
    }
}

// Bytes at which a token can begin; every other byte is skipped at once.
inline constexpr auto tokenStarts = [] {
    std::array<bool, 256> starts{};
    for (const char c : std::string_view("0123456789.(+-*/")) starts[static_cast<unsigned char>(c)] = true;
    return starts;
}();

}  // namespace scanning

// The first token at or after `from`, found in one forward pass without recursion;
// length 0 (kind None) when none is left. Characters before it belong to no token.
inline Token findToken(std::string_view line, std::size_t from) {
    for (std::size_t i = from; i < line.size(); ++i) {
        if (!scanning::tokenStarts[static_cast<unsigned char>(line[i])]) continue;
        const scanning::Match match = scanning::matchAt(line, i);
        if (match.kind != TokenKind::None) return {i, match.end - i, match.kind};
    }
    return {line.size(), 0, TokenKind::None};
}

}  // namespace zarn
