// frac: construction, canonical form and arithmetic.
//
// The arithmetic itself is in exact.cpp: each operation forms the exact result from 128-bit
// intermediates (a product of two 64-bit values always fits) and either gives canonical fields
// or refuses. Results are computed before any field is written, so a refused operation leaves
// every operand unchanged and an instance may be combined with itself.

#include "rational/frac.hpp"

#include "rational/exact.hpp"

namespace zarn {

using exact::Wide;

std::int64_t gcd(std::int64_t x, std::int64_t y) {
    while (x != 0) {
        // y rem -1 is 0; computing it would overflow for y == -2^63.
        const std::int64_t r = x == -1 ? 0 : y % x;
        y = x;
        x = r;
    }
    return y;
}

void frac::refuseZeroDenominator() { throw FracDivisionByZeroException(); }

frac::frac(std::int64_t n, std::int64_t d) : numerator_(n), canonical_(false), denominator_(d) { normalize(); }

frac::frac(const frac& other)
    : Object(other), numerator_(other.numerator_), canonical_(other.canonical_), denominator_(other.denominator_) {
    normalize();
}

frac& frac::operator=(const frac& other) {
    const frac copy(other);  // normalises; throws before anything here changes
    assign(copy.numerator_, copy.denominator_, true);
    return *this;
}

frac::frac(std::string_view text) {
    parse(text);
    normalize();
}

std::string frac::toString() const { return toFractionString(); }

void frac::setNumerator(std::int64_t n) { assign(n, denominator_, false); }
std::int64_t frac::numerator() const { return numerator_; }
void frac::setDenominator(std::int64_t d) { assign(numerator_, d, false); }
std::int64_t frac::denominator() const { return denominator_; }

frac& frac::fixSign() {
    requireDenominator();
    if (denominator_ < 0) {
        // Negating -2^63 has no 64-bit result.
        if (numerator_ == exact::minInt || denominator_ == exact::minInt) throw FracOverflowException();
        numerator_ = -numerator_;
        denominator_ = -denominator_;
    }
    return *this;
}

frac& frac::normalize() {
    if (canonical_) return *this;
    requireDenominator();
    // Zero is 0/1 whatever the denominator was; n/1 is already canonical.
    if (numerator_ == 0 || denominator_ == 1) {
        assign(numerator_, numerator_ == 0 ? 1 : denominator_, true);
    } else {
        assign(exact::canonicalFields(numerator_, denominator_), true);
    }
    return *this;
}

frac frac::add(const frac& other) const { return sumCopy(&frac::addAssign, other); }
frac frac::sub(const frac& other) const { return sumCopy(&frac::subAssign, other); }

// A sum ends in lowest terms, so reducing this copy first changes neither the value nor the
// result. Only a denominator that is not positive lets the reduction refuse (a numerator of
// 2^63 after the sign moves, or a zero denominator), so only then is it done.
frac frac::sumCopy(frac& (frac::*change)(const frac&), const frac& other) const {
    if (denominator_ <= 0) return changedCopy(change, other);
    frac result;
    result.assign(numerator_, denominator_, canonical_);
    (result.*change)(other);
    return result;
}

frac frac::mul(const frac& other) const { return changedCopy(&frac::mulAssign, other); }
frac frac::div(const frac& other) const { return changedCopy(&frac::divAssign, other); }

bool frac::equalsReal(real x) const {
    requireDenominator();
    // Both integers convert exactly; a NaN product compares unequal.
    return static_cast<real>(numerator_) == static_cast<real>(denominator_) * x;
}

int frac::compareReal(real x) const {
    requireDenominator();
    const real product = static_cast<real>(denominator_) * x;
    const real n = static_cast<real>(numerator_);
    if (n < product) return -1;
    if (product < n) return 1;
    return 0;  // equal, or unordered (NaN)
}

// Sums are canonical whatever the operands; products and quotients when both operands are.
frac& frac::addAssign(const frac& other) {
    return combine(other.numerator_, other.denominator_, other.canonical_, exact::canonicalSum, exact::sum,
                   Ends::inLowestTerms);
}

frac& frac::subAssign(const frac& other) {
    return combine(other.numerator_, other.denominator_, other.canonical_, exact::canonicalDifference,
                   exact::difference, Ends::inLowestTerms);
}

frac& frac::mulAssign(const frac& other) {
    return combine(other.numerator_, other.denominator_, other.canonical_, exact::canonicalProduct, exact::product,
                   Ends::asOperands);
}

frac& frac::divAssign(const frac& other) {
    return combine(other.numerator_, other.denominator_, other.canonical_, exact::canonicalQuotient,
                   exact::quotient, Ends::asOperands);
}

}  // namespace zarn
