#include "window/entered_text.hpp"

#include "window/utf8.hpp"

namespace zarn {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool meansSomethingInTheLine(char32_t c) {
    return c < 0x20 || c == 0x7F || c == ' ' || (c < 0x80 && isDigit(static_cast<char>(c))) ||
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

std::string pastedText(std::string_view text, std::optional<char32_t> separator) {
    std::string written;
    if (separator) appendUtf8(written, *separator);
    const std::string_view separatorText = written;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n' || c == '\t') {
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += ' ';
        } else if (!separatorText.empty() && i > 0 && isDigit(text[i - 1]) &&
                   text.substr(i).starts_with(separatorText) && i + separatorText.size() < text.size() &&
                   isDigit(text[i + separatorText.size()])) {
            out += '.';
            i += separatorText.size() - 1;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace zarn
