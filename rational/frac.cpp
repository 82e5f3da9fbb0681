// frac: construction, canonical form and arithmetic.
//
// Each operation forms the exact result from 128-bit intermediates (a product of two 64-bit
// values always fits), then exact::canonical() reduces it and either stores canonical fields
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

frac::frac(std::int64_t n, std::int64_t d) : numerator_(n), denominator_(d) {
    if (d == 0) throw FracDivisionByZeroException();
    normalize();
}

frac::frac(const frac& other) : Object(other), numerator_(other.numerator_), denominator_(other.denominator_) {
    normalize();
}

frac& frac::operator=(const frac& other) {
    const frac copy(other);  // normalises; throws before anything here changes
    numerator_ = copy.numerator_;
    denominator_ = copy.denominator_;
    return *this;
}

frac::frac(std::string_view text) {
    parse(text);
    normalize();
}

std::string frac::toString() const { return toFractionString(); }

void frac::setNumerator(std::int64_t n) { numerator_ = n; }
std::int64_t frac::numerator() const { return numerator_; }
void frac::setDenominator(std::int64_t d) { denominator_ = d; }
std::int64_t frac::denominator() const { return denominator_; }

frac& frac::fixSign() {
    if (denominator_ < 0) {
        // Negating -2^63 has no 64-bit result.
        if (numerator_ == exact::minInt || denominator_ == exact::minInt) throw FracOverflowException();
        numerator_ = -numerator_;
        denominator_ = -denominator_;
    }
    return *this;
}

frac& frac::normalize() {
    // Zero is 0/1 whatever the denominator was; n/1 is already canonical.
    if (numerator_ == 0 || denominator_ == 1) {
        denominator_ = numerator_ == 0 ? 1 : denominator_;
        return *this;
    }
    const exact::Fields fields = exact::canonical(numerator_, denominator_);
    numerator_ = fields.numerator;
    denominator_ = fields.denominator;
    return *this;
}

frac frac::add(const frac& other) const { return frac(*this).addAssign(other); }
frac frac::sub(const frac& other) const { return frac(*this).subAssign(other); }
frac frac::mul(const frac& other) const { return frac(*this).mulAssign(other); }
frac frac::div(const frac& other) const { return frac(*this).divAssign(other); }

bool frac::equalsReal(real x) const {
    // Both integers convert exactly; a NaN product compares unequal.
    return static_cast<real>(numerator_) == static_cast<real>(denominator_) * x;
}

int frac::compareReal(real x) const {
    const real product = static_cast<real>(denominator_) * x;
    const real n = static_cast<real>(numerator_);
    if (n < product) return -1;
    if (product < n) return 1;
    return 0;  // equal, or unordered (NaN)
}

namespace {

// a/b + sign * c/d, scaled by g = gcd(b, d) so the intermediates stay small.
exact::Fields sumOf(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d, bool subtract) {
    if (b == 0 || d == 0) throw FracDivisionByZeroException();
    if (b == 1 && d == 1) {
        // Whole numbers: the sum itself, no gcd.
        const Wide n = subtract ? Wide{a} - c : Wide{a} + c;
        return exact::canonical(n, 1);
    }
    const std::uint64_t g = exact::gcdOf(exact::magnitude(b), exact::magnitude(d));
    const Wide scaledA = a * exact::quotient(d, g);
    const Wide scaledC = c * exact::quotient(b, g);
    return exact::canonical(subtract ? scaledA - scaledC : scaledA + scaledC, b * exact::quotient(d, g));
}

// (a/b) * (c/d), cancelling gcd(a, d) and gcd(b, c) before multiplying.
exact::Fields productOf(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    if (b == 0 || d == 0) throw FracDivisionByZeroException();
    if (a == 0 || c == 0) return {0, 1};
    const std::uint64_t g = exact::gcdOf(exact::magnitude(a), exact::magnitude(d));
    const std::uint64_t h = exact::gcdOf(exact::magnitude(b), exact::magnitude(c));
    return exact::canonical(exact::quotient(a, g) * exact::quotient(c, h),
                            exact::quotient(b, h) * exact::quotient(d, g));
}

}  // namespace

frac& frac::addAssign(const frac& other) {
    const exact::Fields r = sumOf(numerator_, denominator_, other.numerator_, other.denominator_, false);
    numerator_ = r.numerator;
    denominator_ = r.denominator;
    return *this;
}

frac& frac::subAssign(const frac& other) {
    const exact::Fields r = sumOf(numerator_, denominator_, other.numerator_, other.denominator_, true);
    numerator_ = r.numerator;
    denominator_ = r.denominator;
    return *this;
}

frac& frac::mulAssign(const frac& other) {
    const exact::Fields r = productOf(numerator_, denominator_, other.numerator_, other.denominator_);
    numerator_ = r.numerator;
    denominator_ = r.denominator;
    return *this;
}

frac& frac::divAssign(const frac& other) {
    if (other.numerator_ == 0 || other.denominator_ == 0) throw FracDivisionByZeroException();
    // Dividing by c/d is multiplying by d/c.
    const exact::Fields r = productOf(numerator_, denominator_, other.denominator_, other.numerator_);
    numerator_ = r.numerator;
    denominator_ = r.denominator;
    return *this;
}

}  // namespace zarn
