#pragma once
// Lower-casing of configuration keys and values: ASCII by table, and from the first byte above
// 126 on, UTF-8 by Unicode's simple (one code point to one code point) lower-case mapping.

#include <cstddef>
#include <string>
#include <string_view>

#include "rational/object.hpp"

namespace zarn {

// Bytes that are not well-formed UTF-8 where UTF-8 is read.
class Utf8Exception : public Exception {
public:
    // `text` is shown with every byte outside printable ASCII as \xNN; `offset` is where the
    // ill-formed sequence starts.
    Utf8Exception(std::string_view text, std::size_t offset);
};

// Unicode's simple lower-case mapping of one code point; code points without one map to
// themselves.
char32_t simpleLowercase(char32_t codePoint);

// "A" to "Z" become "a" to "z"; from the first byte above 126 on, the rest of the text is read
// as UTF-8 and each code point lower-cased. Throws Utf8Exception for ill-formed UTF-8 there
// (overlong forms, surrogates, code points above U+10FFFF, stray or missing continuation bytes).
std::string lowerCase(std::string_view text);

}  // namespace zarn
