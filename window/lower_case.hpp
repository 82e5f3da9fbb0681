#pragma once
// Lower-casing of configuration keys and values: ASCII by table, and from the first byte above
// 126 on, UTF-8 by Unicode's simple (one code point to one code point) lower-case mapping. Also
// the strict UTF-8 decoder it reads with and the encoder it writes with, for the other readers
// and writers of text.

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

// Decodes the UTF-8 sequence at text[i] (i < text.size()) and moves i past it. Throws
// Utf8Exception, naming where the sequence starts, when it is ill-formed (overlong forms,
// surrogates, code points above U+10FFFF, stray or missing continuation bytes) or cut short.
char32_t decodeUtf8(std::string_view text, std::size_t& i);

// Appends the UTF-8 form of `codePoint` (at most U+10FFFF) to `out`.
void appendUtf8(std::string& out, char32_t codePoint);

// Unicode's simple lower-case mapping of one code point; code points without one map to
// themselves.
char32_t simpleLowercase(char32_t codePoint);

// "A" to "Z" become "a" to "z"; from the first byte above 126 on, the rest of the text is read
// as UTF-8 and each code point lower-cased. Throws Utf8Exception for ill-formed UTF-8 there
// (overlong forms, surrogates, code points above U+10FFFF, stray or missing continuation bytes).
std::string lowerCase(std::string_view text);

}  // namespace zarn
