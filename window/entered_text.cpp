#include "window/entered_text.hpp"

#include "window/utf8.hpp"

namespace zarn {

namespace {

bool meansSomethingInTheLine(char32_t c) {
    return c < 0x20 || c == 0x7F || c == ' ' || (c >= U'0' && c <= U'9') ||
           std::u32string_view(U".()+-*/;:").find(c) != std::u32string_view::npos;
}

}  // namespace

std::optional<char32_t> decimalSeparatorFrom(std::string_view localeSeparator) {
    if (localeSeparator.empty()) return std::nullopt;
    std::size_t i = 0;
    char32_t separator = 0;
    try {
        separator = decodeUtf8(localeSeparator, i);
    } catch (const Utf8Exception&) {
        return std::nullopt;
    }
    if (i != localeSeparator.size() || meansSomethingInTheLine(separator)) return std::nullopt;
    return separator;
}

unsigned typedCharacter(unsigned code, std::optional<char32_t> separator) {
    return separator && code == *separator ? unsigned{'.'} : code;
}

}  // namespace zarn
