#pragma once
// The fixed, locale-free character classes of ZARN's notation.

namespace zarn::text {

// Exactly tab, line feed, vertical tab, form feed, carriage return and space.
constexpr bool isBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace zarn::text
