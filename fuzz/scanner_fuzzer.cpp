// The scanner against std::regex with tokenPattern: the same tokens, at the same places, of the
// kind their text shows, from the start of the line and from any position in it. Inputs are
// kept short because std::regex recurses once per character.

#include <cstddef>
#include <cstdint>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "evaluator/scanner.hpp"
#include "tests/token_kind_reference.hpp"
#include "fuzz/require.hpp"

namespace {

using zarn::findToken;
using zarn::Token;
using zarn::TokenKind;
using zarn::fuzzing::require;
using zarn::testing::kindOfMatch;

constexpr std::size_t longestInput = 256;

const std::regex& pattern() {
    static const std::regex compiled{std::string(zarn::tokenPattern)};
    return compiled;
}

std::string describe(const std::vector<Token>& tokens) {
    std::string out;
    for (const Token& t : tokens) {
        out += "[" + std::to_string(t.start) + "," + std::to_string(t.length) + ")";
        out += " kind " + std::to_string(static_cast<int>(t.kind)) + " ";
    }
    return out;
}

std::vector<Token> scanned(std::string_view line) {
    std::vector<Token> tokens;
    for (Token t = findToken(line, 0); t.length != 0; t = findToken(line, t.start + t.length)) {
        tokens.push_back(t);
        if (tokens.size() > line.size()) break;  // a token of length 0 would loop; the comparison reports it
    }
    return tokens;
}

std::vector<Token> searched(const std::string& line) {
    std::vector<Token> tokens;
    for (auto it = std::sregex_iterator(line.begin(), line.end(), pattern()); it != std::sregex_iterator(); ++it) {
        tokens.push_back({static_cast<std::size_t>(it->position()), static_cast<std::size_t>(it->length()),
                          kindOfMatch(it->str())});
    }
    return tokens;
}

bool same(const std::vector<Token>& a, const std::vector<Token>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].start != b[i].start || a[i].length != b[i].length || a[i].kind != b[i].kind) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > longestInput) return 0;
    const std::string line(reinterpret_cast<const char*>(data), size);

    const std::vector<Token> expected = searched(line);
    const std::vector<Token> actual = scanned(line);
    require(same(actual, expected), "scanner and regular expression find different tokens", line,
            describe(actual) + "instead of " + describe(expected));

    // A search that starts inside the line sees the same text from there: no anchors, no look-behind.
    for (std::size_t from = 0; from <= size; from += 1 + size / 8) {
        std::smatch match;
        const Token t = findToken(line, from);
        const std::string rest = line.substr(from);
        if (std::regex_search(rest, match, pattern())) {
            require(t.start == from + static_cast<std::size_t>(match.position()) &&
                        t.length == static_cast<std::size_t>(match.length()) && t.kind == kindOfMatch(match.str()),
                    "findToken from inside the line differs from a search there", line,
                    "from " + std::to_string(from));
        } else {
            require(t.length == 0 && t.kind == TokenKind::None,
                    "findToken finds a token where the regular expression finds none", line,
                    "from " + std::to_string(from));
        }
    }
    return 0;
}
