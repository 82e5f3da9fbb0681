#pragma once
// UTF-8 read and written one code point at a time: the one codec of the text here. The settings
// read it strictly, refusing what is not well-formed; the UTF-16 conversions leniently, so that
// whatever an edit control holds comes back unchanged.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "window/messages.hpp"

namespace zarn {

// Bytes that are not well-formed UTF-8 where UTF-8 is read.
class Utf8Exception : public MessageException {
public:
    // `text` is shown with every byte outside printable ASCII as \xNN; `offset` is where the
    // ill-formed sequence starts.
    Utf8Exception(std::string_view text, std::size_t offset);
};

// How much is read as UTF-8.
enum class Utf8Reading {
    // Well-formed UTF-8 only.
    strict,
    // Also a lone surrogate's three bytes, as that surrogate: the generalised UTF-8 known as
    // WTF-8, which carries invalid UTF-16 unchanged.
    lenient,
};

// A code point and the bytes of its sequence; no bytes where none is read.
struct Utf8Sequence {
    char32_t codePoint;
    std::size_t length;
};

// The sequence at text[i] (i < text.size()), or a length of 0 where the bytes there start none:
// overlong forms, surrogates (strictly read), code points above U+10FFFF, stray or missing
// continuation bytes and a sequence cut short. Inline, as converters read every character of a
// line with it.
inline Utf8Sequence utf8SequenceAt(std::string_view text, std::size_t i, Utf8Reading reading) {
    const auto byteAt = [&text](std::size_t at) -> std::uint32_t { return static_cast<unsigned char>(text[at]); };
    const std::uint32_t lead = byteAt(i);
    if (lead < 0x80) return {lead, 1};
    // The ranges of Unicode's table of well-formed UTF-8 byte sequences; read leniently, the
    // surrogates' second bytes (A0 to BF after ED) too.
    std::size_t length = 0;
    std::uint32_t low = 0x80, high = 0xBF;  // allowed range of the second byte
    std::uint32_t code = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;                                     // no overlong forms
        if (lead == 0xED && reading == Utf8Reading::strict) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07;
        if (lead == 0xF0) low = 0x90;   // no overlong forms
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return {0, 0};
    }
    if (length > text.size() - i) return {0, 0};
    for (std::size_t k = 1; k < length; ++k) {
        const std::uint32_t byte = byteAt(i + k);
        if (byte < (k == 1 ? low : 0x80) || byte > (k == 1 ? high : 0xBF)) return {0, 0};
        code = (code << 6) | (byte & 0x3F);
    }
    return {code, length};
}

// Decodes the well-formed UTF-8 sequence at text[i] (i < text.size()) and moves i past it;
// anything else throws Utf8Exception naming where the sequence starts.
char32_t decodeUtf8(std::string_view text, std::size_t& i);

// The bytes of a code point in UTF-8: 1 to 4.
inline std::size_t utf8Length(char32_t codePoint) {
    return codePoint < 0x80 ? 1 : codePoint < 0x800 ? 2 : codePoint < 0x10000 ? 3 : 4;
}

// Appends a code point up to U+10FFFF, a surrogate included (as WTF-8 writes it).
inline void appendUtf8(std::string& out, char32_t codePoint) {
    const auto byte = [&out](char32_t bits) { out += static_cast<char>(static_cast<unsigned char>(bits)); };
    const std::size_t length = utf8Length(codePoint);
    if (length == 1) return byte(codePoint);
    static constexpr char32_t leads[] = {0, 0, 0xC0, 0xE0, 0xF0};
    byte(leads[length] | (codePoint >> (6 * (length - 1))));
    for (std::size_t k = length - 1; k-- > 0;) byte(0x80 | ((codePoint >> (6 * k)) & 0x3F));
}

}  // namespace zarn
