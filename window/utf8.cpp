#include "window/utf8.hpp"

namespace zarn {

namespace {

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

}  // namespace

Utf8Exception::Utf8Exception(std::string_view text, std::size_t offset)
    : MessageException({MessageId::InvalidUtf8, {std::to_string(offset), escaped(text)}}) {}

char32_t decodeUtf8(std::string_view text, std::size_t& i) {
    const Utf8Sequence sequence = utf8SequenceAt(text, i, Utf8Reading::strict);
    if (sequence.length == 0) throw Utf8Exception(text, i);
    i += sequence.length;
    return sequence.codePoint;
}

}  // namespace zarn
