#pragma once
// An independent, exact reading and writing of the number notation with GMP: what frac's text
// forms must agree with. Written from the notation's rules, not from frac's code.

#include <gmpxx.h>

#include <string>
#include <string_view>

#include "fuzz/blanks.hpp"
#include "tests/exact_reference.hpp"

namespace zarn::fuzzing {

// The pair a text reads as, or why the notation or the reading rule refuses it.
struct ReadNumber {
    bool accepted = false;
    FracParseException::Reason refusal = FracParseException::Reason::NotANumber;
    mpz_class numerator;
    mpz_class denominator;
};

inline bool isDigitByte(char c) { return c >= '0' && c <= '9'; }

// [blanks][sign][blanks] digits, optionally one "." or one "/" among them, [blanks]; then the
// reading rule on the digit runs (testing_support::readDigits): a zero denominator, more than
// 38 significant digits, or a value that does not fit are refused.
inline ReadNumber readNumber(std::string_view text) {
    ReadNumber read;
    std::string_view s = withoutBlanks(text);
    if (s.empty()) return read;
    const bool negative = s[0] == '-';
    if (s[0] == '-' || s[0] == '+') s = withoutBlanks(s.substr(1));

    const std::size_t separator = s.find_first_of("./");
    const std::string_view before = s.substr(0, separator);
    const std::string_view after = separator == std::string_view::npos ? std::string_view{} : s.substr(separator + 1);
    for (const std::string_view run : {before, after}) {
        for (const char c : run) {
            if (!isDigitByte(c)) return read;
        }
    }
    const testing_support::NumberReading digits =
        testing_support::readDigits(negative, before, separator == std::string_view::npos ? '\0' : s[separator], after);
    if (digits.refusal) {
        read.refusal = *digits.refusal;
        return read;
    }
    read.accepted = true;
    read.numerator = digits.numerator;
    read.denominator = digits.denominator;
    return read;
}

// Lowest terms, positive denominator.
inline mpq_class valueOf(const ReadNumber& read) {
    mpq_class q(read.numerator, read.denominator);
    q.canonicalize();
    return q;
}

// The numerator, then "/" and the denominator unless it is 1.
inline std::string fractionText(const mpq_class& q) {
    std::string out = q.get_num().get_str();
    if (q.get_den() != 1) out += "/" + q.get_den().get_str();
    return out;
}

// Sign, integer part, and up to `digits` digits after the point, cut and never rounded; no
// point for an integer, no trailing digits once the expansion is complete.
inline std::string decimalText(const mpq_class& q, unsigned digits) {
    std::string out = q < 0 ? "-" : "";
    const mpz_class n = abs(q.get_num());
    const mpz_class& d = q.get_den();
    const mpz_class whole = n / d;
    mpz_class rest = n - whole * d;
    out += whole.get_str();
    if (rest == 0) return out;
    out += '.';
    for (unsigned i = 0; i < digits && rest != 0; ++i) {
        rest *= 10;
        const mpz_class digit = rest / d;
        out += static_cast<char>('0' + digit.get_si());
        rest -= digit * d;
    }
    return out;
}

}  // namespace zarn::fuzzing
