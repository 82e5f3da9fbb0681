// isNumericText: whether a "font" item or a "size" value counts as a number. It accepts more
// than the conversions do (suffixes such as "12l", a second part such as "1+2i"); numeric text
// that its conversion then refuses is an error, not a face name.

#include <string>

#include "rational/text.hpp"
#include "window/lower_case.hpp"
#include "window/settings.hpp"

namespace zarn {

namespace {

// The last one or two characters, the first of them not a digit, "+", "e" or ".".
bool isNumericSuffix(std::string_view suffix, bool point, bool exponent, bool secondPart) {
    const bool plain = !point && !exponent && !secondPart;
    if (suffix.size() == 2) {
        if (suffix == "ul") return plain;
        return suffix == "fi" || suffix == "li";
    }
    const char c = suffix.front();
    if ((c == 'u' || c == 'l') && plain) return true;
    if (secondPart) return c == 'i';
    return c == 'l' || c == 'f' || c == 'i';
}

}  // namespace

bool isNumericText(std::string_view original) {
    const std::string text = lowerCase(original);
    if (text.empty()) return false;
    if (text == "nan" || text == "nani" || text == "nan+nani" || text == "inf" || text == "-inf") return true;

    std::size_t i = (text.front() == '+' || text.front() == '-') ? 1 : 0;
    bool point = false, exponent = false, secondPart = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        const std::size_t remaining = text.size() - i;
        if (text::isDigit(c)) continue;
        if (c == '+') {
            point = exponent = false;
            secondPart = true;
        } else if (c == 'e') {
            if (exponent || remaining == 1 || (text[i + 1] != '+' && text[i + 1] != '-')) return false;
            exponent = true;
            ++i;  // the exponent's sign
        } else if (c == '.') {
            if (point) return false;
            point = true;
        } else if (remaining <= 2) {
            return isNumericSuffix(std::string_view(text).substr(i), point, exponent, secondPart);
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace zarn
