#pragma once
// A paste made the line's: text copied from a spreadsheet, a web page or another program, read as
// the user's locale writes numbers and written in the line's notation. Needs no window system.
//
// The paste is split into cells at line breaks (CR LF, CR, LF) and tabs, each of which becomes a
// space, so that a column or rows of values become a run of values. Numbers are read in it
// conservatively: the line's own notation keeps its meaning in every locale, a plain space always
// separates values, and a comma-delimited row stays a run of values.
// - A *candidate* is a longest run of ASCII digits, group separators, decimal separators and "."
//   taken from its first digit to its last. It is *grouped* where it reads as groups of digits
//   separated by the group separator, following the locale's sizes from the right (two groups at
//   least, the leftmost one to its size long), then optionally the decimal separator and digits.
// - A grouped candidate is one number (its group separators dropped, its decimal separator made
//   ".") when it has a decimal part, or two group separators or more, or a group separator other
//   than "." and ",", or when it fills a whole cell (blanks around it and a sign before it
//   aside) where, for a group separator ".", some candidate of the paste has the decimal
//   separator between two digits. Any other grouped candidate stays as written: in German,
//   ZARN's "1.234" in running text is 1.234. Where the group separator is ",", a "," anywhere
//   outside a grouped candidate makes the paste a comma-delimited row: then nothing is grouped.
// - Elsewhere the decimal separator between two digits becomes ".", the digits of the line on
//   either side of the paste included (in German, "," pasted after the line's "1" before "5").
// - A "-" or U+2212 at the start of a cell or after a blank, directly before a number, is that
//   number's sign: "-3" gives "(-3)".
// - A number followed by "E" or "e", an optional sign and digits (and then nothing that continues
//   a word or a number) is written out exactly: "1.5E-3" gives "0.0015", "1E+15"
//   "1000000000000000". A value the line cannot hold is written out all the same, and is refused
//   when it is evaluated. An exponent beyond longestPastedExponent, or numbers written out to more
//   than mostWrittenOutBytes in all, refuse the whole paste.
// A number here is digits with at most one "." between two of them, once its candidate is read.
// A candidate that the line's own digits continue at either end of the paste is part of a number
// seen only in part: it takes no grouping, sign or exponent.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "window/number_format.hpp"

namespace zarn {

// Whether the line's characters just before and just after the paste are ASCII digits.
struct PasteSite {
    bool digitBefore = false;
    bool digitAfter = false;
};

// The largest exponent written out, either sign: more than any floating-point value a program
// prints needs (10^308, 10^-324), yet few enough digits that "1E999999999" cannot fill memory.
inline constexpr unsigned longestPastedExponent = 400;

// The most bytes the numbers written out from scientific notation take in one paste: room for
// hundreds of thousands of values as programs print them, where a paste of nothing but "1E400"
// would otherwise come out 80 times as long as it went in.
inline constexpr std::size_t mostWrittenOutBytes = std::size_t{16} << 20;

// The UTF-8 `text` of a paste as the line takes it, by the rules above; nothing when it holds a
// number in scientific notation with an exponent beyond longestPastedExponent, or more of them
// than mostWrittenOutBytes can take written out. Any length, in
// linear time; bytes that are not UTF-8 are kept as they are.
std::optional<std::string> pastedText(std::string_view text, const NumberFormat& format, PasteSite site = {});

}  // namespace zarn
