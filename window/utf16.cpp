#include "window/utf16.hpp"

#include "window/utf8.hpp"

namespace zarn {

namespace {

// A code point and how many units or bytes it took.
struct Character {
    char32_t value;
    std::size_t length;
};

bool isHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The character at text[i]: a surrogate pair, or else one unit, a lone surrogate included.
Character characterAt(std::wstring_view text, std::size_t i) {
    const char32_t unit = static_cast<char16_t>(text[i]);
    if (isHighSurrogate(unit) && i + 1 < text.size()) {
        const char32_t next = static_cast<char16_t>(text[i + 1]);
        if (isLowSurrogate(next)) return {0x10000 + ((unit - 0xD800) << 10) + (next - 0xDC00), 2};
    }
    return {unit, 1};
}

// The sequence at text[i], read leniently, or else U+FFFD for its one byte.
Character sequenceAt(std::string_view text, std::size_t i) {
    const Utf8Sequence sequence = utf8SequenceAt(text, i, Utf8Reading::lenient);
    if (sequence.length == 0) return {0xFFFD, 1};
    return {sequence.codePoint, sequence.length};
}

std::size_t utf16Length(char32_t c) { return c < 0x10000 ? 1 : 2; }

void appendUtf16(std::wstring& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<wchar_t>(c);
    } else {
        out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
}

// Reads text one character at a time by `read`, and gives each to `take`, up to `limit` units or
// bytes: a character that would pass it is not read.
template <class Text, class Read, class Take>
void forEachCharacter(Text text, std::size_t limit, Read read, Take take) {
    for (std::size_t i = 0; i < text.size();) {
        const Character c = read(text, i);
        if (c.length > limit - i) break;  // i never passes limit
        take(c.value);
        i += c.length;
    }
}

}  // namespace

std::string utf8FromUtf16(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    forEachCharacter(text, text.size(), characterAt, [&out](char32_t c) { appendUtf8(out, c); });
    return out;
}

std::wstring utf16FromUtf8(std::string_view text) {
    std::wstring out;
    out.reserve(text.size());
    forEachCharacter(text, text.size(), sequenceAt, [&out](char32_t c) { appendUtf16(out, c); });
    return out;
}

std::size_t utf8OffsetOf(std::wstring_view text, std::size_t units) {
    std::size_t bytes = 0;
    forEachCharacter(text, units, characterAt, [&bytes](char32_t c) { bytes += utf8Length(c); });
    return bytes;
}

std::size_t utf16OffsetOf(std::string_view text, std::size_t bytes) {
    std::size_t units = 0;
    forEachCharacter(text, bytes, sequenceAt, [&units](char32_t c) { units += utf16Length(c); });
    return units;
}

}  // namespace zarn
