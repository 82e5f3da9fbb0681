#pragma once
// The fixed, locale-free character classes of ZARN's notation.

#include <string_view>

namespace zarn::text {

// Exactly tab, line feed, vertical tab, form feed, carriage return and space.
constexpr bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

// `s` without blanks at either end.
constexpr std::string_view stripped(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

}  // namespace zarn::text
