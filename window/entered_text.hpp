#pragma once
// Text the user enters in the notation of their locale, made the line's: a typed character and a
// pasted text, given the locale's decimal separator. Needs no window system.
//
// The line keeps one notation everywhere (decimals with "."), so that a line means the same on
// every machine and reads back. Where the locale writes decimals with another character, that
// character typed, or pasted between two digits, is taken as ".".

#include <optional>
#include <string>
#include <string_view>

namespace zarn {

// The locale's decimal separator (UTF-8) as the line takes it: a single character other than
// ".". Nothing for ".", for an empty or longer text or ill-formed UTF-8, and for a character
// that means something in the line already (a digit, a blank, a control character, a parenthesis
// or an operator), which the separator's rule would take from the user.
std::optional<char32_t> decimalSeparatorFrom(std::string_view localeSeparator);

// The character a key that types `code` enters: "." for the separator, else `code` itself.
unsigned typedCharacter(unsigned code, std::optional<char32_t> separator);

// The UTF-8 `text` of a paste as the line takes it: each line break (CR LF, CR or LF) and each
// tab becomes a space, so that a column or rows of values become a run of values; the separator
// between two digits becomes "."; everything else stays as it is. Any length, in linear time.
std::string pastedText(std::string_view text, std::optional<char32_t> separator);

}  // namespace zarn
