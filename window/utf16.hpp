#pragma once
// Text between Windows' UTF-16 and the UTF-8 that the platform-free logic reads, with offsets
// carried across. Each wchar_t holds one UTF-16 unit, as it does on Windows.
//
// Lossless both ways for whatever an edit control holds: a lone surrogate (invalid UTF-16, but
// typed or pasted text may contain one) becomes its own three-byte sequence, the generalised
// UTF-8 known as WTF-8, and comes back unchanged. Valid UTF-16 gives standard UTF-8. UTF-8 is
// read leniently (window/utf8.hpp).

#include <cstddef>
#include <string>
#include <string_view>

namespace zarn {

std::string utf8FromUtf16(std::wstring_view text);

// The inverse of utf8FromUtf16. A byte that starts no valid sequence becomes U+FFFD.
std::wstring utf16FromUtf8(std::string_view text);

// The byte offset in utf8FromUtf16(text) of the UTF-16 offset `units`. An offset inside a
// surrogate pair counts as the pair's start, so no character is ever cut; one past the end
// counts as the end.
std::size_t utf8OffsetOf(std::wstring_view text, std::size_t units);

// The UTF-16 offset in utf16FromUtf8(text) of the byte offset `bytes`. An offset inside a
// sequence counts as its start; one past the end counts as the end.
std::size_t utf16OffsetOf(std::string_view text, std::size_t bytes);

}  // namespace zarn
