// The scanner yields exactly the tokens that a search with tokenPattern yields, each with its kind.

#include <gtest/gtest.h>

#include <random>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "evaluator/scanner.hpp"
#include "tests/token_kind_reference.hpp"

namespace zarn {
namespace {

std::vector<std::string> scannedTokens(const std::string& line) {
    std::vector<std::string> tokens;
    for (Token t = findToken(line, 0); t.length != 0; t = findToken(line, t.start + t.length)) {
        tokens.push_back(line.substr(t.start, t.length));
    }
    return tokens;
}

// A token's text and its kind.
using KindedToken = std::pair<std::string, TokenKind>;

std::vector<KindedToken> scannedKindedTokens(const std::string& line) {
    std::vector<KindedToken> tokens;
    for (Token t = findToken(line, 0); t.length != 0; t = findToken(line, t.start + t.length)) {
        tokens.emplace_back(line.substr(t.start, t.length), t.kind);
    }
    return tokens;
}

// The textbook way: successive leftmost matches of the pattern.
std::vector<KindedToken> regexTokens(const std::string& line) {
    static const std::regex pattern{std::string(tokenPattern)};
    std::vector<KindedToken> tokens;
    for (auto it = std::sregex_iterator(line.begin(), line.end(), pattern); it != std::sregex_iterator(); ++it) {
        tokens.emplace_back(it->str(), testing::kindOfMatch(it->str()));
    }
    return tokens;
}

TEST(Scanner, splits_lines_into_the_notations_tokens) {
    struct Case {
        std::string line;
        std::vector<std::string> tokens;
    };
    const Case cases[] = {
        {"1 2 +", {"1", "2", "+"}},
        {"(1/3) (-2/7)*", {"(1/3)", "(-2/7)", "*"}},
        {"1.2.3", {"1.2", ".3"}},
        {"3.", {"3"}},
        {"(-1/3", {"-", "1", "/", "3"}},
        {"(1.5/2)", {"1.5", "/", "2"}},
        {"(-.5)(.5)(5)", {"(-.5)", "(.5)", "(5)"}},
        {"(1.)", {"1"}},
        {"5 -3", {"5", "-", "3"}},
        {"abc 1x2y+", {"1", "2", "+"}},
        {"((((", {}},
        {"\xC3\xA9" "12\x80" "3", {"12", "3"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(scannedTokens(c.line), c.tokens) << c.line;
    }
    const Token none = findToken("x (", 0);
    EXPECT_EQ(none.length, 0u);
    EXPECT_EQ(none.kind, TokenKind::None);
}

TEST(Scanner, agrees_with_the_regular_expression_on_generated_lines) {
    // Characters the notation is made of, with blanks, letters and bytes above 127 between.
    const std::string alphabet = "0123456789..((()))--//+* \tax\xC3\xA9\x80";
    std::mt19937 random(42);
    for (int i = 0; i < 100000; ++i) {
        std::string line(random() % 24, ' ');
        for (char& c : line) c = alphabet[random() % alphabet.size()];
        ASSERT_EQ(scannedKindedTokens(line), regexTokens(line)) << "line: \"" << line << "\"";
    }
}

TEST(Scanner, reads_a_million_digit_run_as_one_token_without_recursion) {
    const std::string line = "(" + std::string(1000000, '7') + "/3";
    const std::vector<std::string> tokens = scannedTokens(line);
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[0].size(), 1000000u);
}

}  // namespace
}  // namespace zarn
