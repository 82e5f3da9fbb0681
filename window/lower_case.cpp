#include "window/lower_case.hpp"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

namespace zarn {

namespace {

struct LowercaseRun {
    char32_t first;
    char32_t last;
    std::int32_t delta;   // lower-case code point minus code point
    std::uint32_t stride; // 1, or 2 for alternating upper/lower pairs
};

constexpr LowercaseRun lowercaseRuns[] = {
#include "window/simple_lowercase_table.inc"
};

constexpr std::array<char, 128> asciiLower = [] {
    std::array<char, 128> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        const char c = static_cast<char>(i);
        table[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return table;
}();

std::uint32_t byteAt(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

}  // namespace

char32_t simpleLowercase(char32_t codePoint) {
    // The last run that starts at or before the code point is the only one that can hold it.
    const auto after = std::upper_bound(std::begin(lowercaseRuns), std::end(lowercaseRuns), codePoint,
                                        [](char32_t c, const LowercaseRun& run) { return c < run.first; });
    if (after == std::begin(lowercaseRuns)) return codePoint;
    const LowercaseRun& run = *std::prev(after);
    if (codePoint > run.last || (codePoint - run.first) % run.stride != 0) return codePoint;
    return static_cast<char32_t>(static_cast<std::int32_t>(codePoint) + run.delta);
}

std::string lowerCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    for (; i < text.size() && byteAt(text, i) <= 126; ++i) out += asciiLower[byteAt(text, i)];
    while (i < text.size()) appendUtf8(out, simpleLowercase(decodeUtf8(text, i)));
    return out;
}

}  // namespace zarn
