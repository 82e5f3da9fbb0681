#include "window/copied_text.hpp"

#include "window/utf8.hpp"

namespace zarn {

std::string copiedText(std::string_view text, std::optional<char32_t> decimal) {
    if (!decimal) return std::string(text);
    std::string separator;
    appendUtf8(separator, *decimal);
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '.' && i > 0 && isDigit(text[i - 1]) && i + 1 < text.size() && isDigit(text[i + 1])) {
            out += separator;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace zarn
