#pragma once
// Generated input lines for the benchmarks: the same text for our evaluator and for the peers.

#include <cstddef>
#include <random>
#include <string>

namespace zarn::bench {

enum class Mix { Integers, Decimals, Fractions };

inline const char* mixName(Mix mix) {
    switch (mix) {
        case Mix::Integers: return "integers";
        case Mix::Decimals: return "decimals";
        case Mix::Fractions: return "fractions";
    }
    return "?";
}

// A line of about `size` bytes made of "a b op" groups: each group leaves one value on the
// stack, so the line evaluates without overflow and renders a full stack back.
inline std::string generateLine(Mix mix, std::size_t size) {
    std::minstd_rand random(static_cast<unsigned>(size) + static_cast<unsigned>(mix));
    const char operators[] = {'+', '-', '*', '/'};
    std::string line;
    line.reserve(size + 32);
    auto number = [&] {
        const auto a = random() % 99 + 1;
        switch (mix) {
            case Mix::Integers:
                line += std::to_string(a);
                break;
            case Mix::Decimals:
                line += std::to_string(a) + '.' + std::to_string(random() % 100);
                break;
            case Mix::Fractions:
                line += (random() % 2 ? "(-" : "(") + std::to_string(a) + '/' + std::to_string(random() % 98 + 2) + ')';
                break;
        }
        line += ' ';
    };
    while (line.size() < size) {
        number();
        number();
        line += operators[random() % 4];
        line += ' ';
    }
    return line;
}

// Tokens in a generated line: each is followed by exactly one space.
inline std::size_t tokensIn(const std::string& line) {
    std::size_t tokens = 0;
    for (const char c : line) tokens += c == ' ' ? 1 : 0;
    return tokens;
}

}  // namespace zarn::bench
