#pragma once
// Text the user types in the notation of their locale, made the line's, given the locale's
// decimal separator (a paste: window/pasted_text.hpp). Needs no window system.
//
// The line keeps one notation everywhere (decimals with "."), so that a line means the same on
// every machine and reads back. Where the locale writes decimals with another character, that
// character typed is taken as ".".

#include <optional>
#include <string_view>

namespace zarn {

// The locale's decimal separator (UTF-8) as the line takes it: a single character other than
// ".". Nothing for ".", for an empty or longer text or ill-formed UTF-8, and for a character
// that means something in the line already (a digit, a blank, a control character, a parenthesis
// or an operator), which the separator's rule would take from the user.
std::optional<char32_t> decimalSeparatorFrom(std::string_view localeSeparator);

// The character a key that types `code` enters: "." for the separator, else `code` itself.
unsigned typedCharacter(unsigned code, std::optional<char32_t> separator);

}  // namespace zarn
