#include "evaluator/scanner.hpp"

#include <array>

#include "rational/text.hpp"

namespace zarn {

namespace {

std::size_t skipDigits(std::string_view s, std::size_t i) {
    while (i < s.size() && text::isDigit(s[i])) ++i;
    return i;
}

// (\d*\.)?\d+ at i: the end of the match, or i when it does not match.
// With the optional group the match is digits, ".", digits; without it, digits alone.
std::size_t matchNumber(std::string_view s, std::size_t i) {
    const std::size_t integerEnd = skipDigits(s, i);
    if (integerEnd < s.size() && s[integerEnd] == '.') {
        const std::size_t fractionEnd = skipDigits(s, integerEnd + 1);
        if (fractionEnd > integerEnd + 1) return fractionEnd;
    }
    return integerEnd;
}

// \(-?(\d*\.)?\d+\) or \(-?\d+/\d+\) at i (s[i] == '('): the end of the match, or i.
std::size_t matchParenthesised(std::string_view s, std::size_t i) {
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

Match matchAt(std::string_view s, std::size_t i) {
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

}  // namespace

// Bytes at which a token can begin; every other byte is skipped at once.
constexpr auto tokenStarts = [] {
    std::array<bool, 256> starts{};
    for (const char c : std::string_view("0123456789.(+-*/")) starts[static_cast<unsigned char>(c)] = true;
    return starts;
}();

Token findToken(std::string_view line, std::size_t from) {
    for (std::size_t i = from; i < line.size(); ++i) {
        if (!tokenStarts[static_cast<unsigned char>(line[i])]) continue;
        const Match match = matchAt(line, i);
        if (match.kind != TokenKind::None) return {i, match.end - i, match.kind};
    }
    return {line.size(), 0, TokenKind::None};
}

}  // namespace zarn
