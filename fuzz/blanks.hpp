#pragma once
// Whitespace as the notation and zarn.ini define it, written out again for the fuzz targets'
// independent references.

#include <string_view>

namespace zarn::fuzzing {

// Tab, line feed, vertical tab, form feed, carriage return and space; nothing else.
inline bool isBlankByte(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

inline std::string_view withoutBlanks(std::string_view s) {
    std::size_t first = 0, last = s.size();
    while (first < last && isBlankByte(s[first])) ++first;
    while (last > first && isBlankByte(s[last - 1])) --last;
    return s.substr(first, last - first);
}

}  // namespace zarn::fuzzing
