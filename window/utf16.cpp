#include "window/win32/utf16.hpp"

namespace zarn {

namespace {

constexpr char32_t replacementCharacter = 0xFFFD;

// One character as read from its source: its code point and how many units or bytes it took.
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

// The sequence at text[i]: a well-formed one, or the three bytes of a lone surrogate; any other
// byte stands alone for U+FFFD.
Character sequenceAt(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) return {lead, 1};
    std::size_t length = 0;
    char32_t value = 0;
    char32_t smallest = 0;  // anything below has a shorter form, which must be used
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, value = lead & 0x1Fu, smallest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, value = lead & 0x0Fu, smallest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, value = lead & 0x07u, smallest = 0x10000;
    } else {
        return {replacementCharacter, 1};
    }
    if (length > text.size() - i) return {replacementCharacter, 1};
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0u) != 0x80u) return {replacementCharacter, 1};
        value = (value << 6) | (next & 0x3Fu);
    }
    if (value < smallest || value > 0x10FFFF) return {replacementCharacter, 1};
    return {value, length};
}

std::size_t utf8Length(char32_t c) { return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4; }
std::size_t utf16Length(char32_t c) { return c < 0x10000 ? 1 : 2; }

void appendUtf8(std::string& out, char32_t c) {
    const auto byte = [&out](char32_t bits) { out += static_cast<char>(static_cast<unsigned char>(bits)); };
    const std::size_t length = utf8Length(c);
    if (length == 1) return byte(c);
    static constexpr char32_t leads[] = {0, 0, 0xC0, 0xE0, 0xF0};
    byte(leads[length] | (c >> (6 * (length - 1))));
    for (std::size_t k = length - 1; k-- > 0;) byte(0x80 | ((c >> (6 * k)) & 0x3F));
}

void appendUtf16(std::wstring& out, char32_t c) {
    if (c < 0x10000) {
        out += static_cast<wchar_t>(c);
    } else {
        out += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
        out += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    }
}

}  // namespace

std::string utf8FromUtf16(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Character c = characterAt(text, i);
        appendUtf8(out, c.value);
        i += c.length;
    }
    return out;
}

std::wstring utf16FromUtf8(std::string_view text) {
    std::wstring out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const Character c = sequenceAt(text, i);
        appendUtf16(out, c.value);
        i += c.length;
    }
    return out;
}

std::size_t utf8OffsetOf(std::wstring_view text, std::size_t units) {
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < text.size();) {
        const Character c = characterAt(text, i);
        if (c.length > units - i) break;  // i never passes units
        bytes += utf8Length(c.value);
        i += c.length;
    }
    return bytes;
}

std::size_t utf16OffsetOf(std::string_view text, std::size_t bytes) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < text.size();) {
        const Character c = sequenceAt(text, i);
        if (c.length > bytes - i) break;  // i never passes bytes
        units += utf16Length(c.value);
        i += c.length;
    }
    return units;
}

}  // namespace zarn
