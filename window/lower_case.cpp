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

std::string escaped(std::string_view text) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 126 || byte < 32) {
            out += "\\x";
            out += hex[byte >> 4];
            out += hex[byte & 0xF];
        } else {
            out += c;
        }
    }
    return out;
}

std::uint32_t byteAt(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

}  // namespace

Utf8Exception::Utf8Exception(std::string_view text, std::size_t offset)
    : Exception("invalid UTF-8 at byte " + std::to_string(offset) + " of \"" + escaped(text) + "\"") {}

void appendUtf8(std::string& out, char32_t codePoint) {
    const auto c = static_cast<std::uint32_t>(codePoint);
    auto put = [&out](std::uint32_t byte) { out += static_cast<char>(byte); };
    if (c < 0x80) {
        put(c);
    } else if (c < 0x800) {
        put(0xC0 | (c >> 6)), put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        put(0xE0 | (c >> 12)), put(0x80 | ((c >> 6) & 0x3F)), put(0x80 | (c & 0x3F));
    } else {
        put(0xF0 | (c >> 18)), put(0x80 | ((c >> 12) & 0x3F)), put(0x80 | ((c >> 6) & 0x3F)),
            put(0x80 | (c & 0x3F));
    }
}

// The ranges of Unicode's table of well-formed UTF-8 byte sequences.
char32_t decodeUtf8(std::string_view text, std::size_t& i) {
    const std::size_t start = i;
    const std::uint32_t lead = byteAt(text, i);
    std::size_t length = 0;
    std::uint32_t low = 0x80, high = 0xBF;  // allowed range of the second byte
    std::uint32_t code = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07;
        if (lead == 0xF0) low = 0x90;   // no overlong forms
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        throw Utf8Exception(text, start);
    }
    for (std::size_t k = 1; k < length; ++k) {
        const std::size_t at = start + k;
        if (at >= text.size()) throw Utf8Exception(text, start);
        const std::uint32_t byte = byteAt(text, at);
        if (byte < (k == 1 ? low : 0x80) || byte > (k == 1 ? high : 0xBF)) throw Utf8Exception(text, start);
        code = (code << 6) | (byte & 0x3F);
    }
    i = start + length;
    return code;
}

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
