#pragma once
// Lower-casing of configuration keys and values: ASCII by table, and from the first byte above
// 126 on, UTF-8 (read strictly, window/utf8.hpp) by Unicode's simple (one code point to one code
// point) lower-case mapping.

#include <string>
#include <string_view>

#include "window/utf8.hpp"

namespace zarn {

// Unicode's simple lower-case mapping of one code point; code points without one map to
// themselves.
char32_t simpleLowercase(char32_t codePoint);

// "A" to "Z" become "a" to "z"; from the first byte above 126 on, the rest of the text is read
// as UTF-8 and each code point lower-cased. Throws Utf8Exception for ill-formed UTF-8 there
// (overlong forms, surrogates, code points above U+10FFFF, stray or missing continuation bytes).
std::string lowerCase(std::string_view text);

}  // namespace zarn
