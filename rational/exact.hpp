#pragma once
// Exact integer helpers behind frac's arithmetic: 128-bit intermediates, gcd on magnitudes,
// and the one path that turns an exact n/d into canonical 64-bit fields or refuses it.

#include <bit>
#include <cstdint>

namespace zarn::exact {

__extension__ typedef __int128 Wide;
__extension__ typedef unsigned __int128 UWide;

constexpr std::int64_t minInt = INT64_MIN;
constexpr std::int64_t maxInt = INT64_MAX;

// |v| as unsigned, so that |-2^63| is representable.
constexpr std::uint64_t magnitude(std::int64_t v) {
    return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

// The largest magnitude of a 64-bit field, |-2^63|.
constexpr std::uint64_t maxMagnitude = std::uint64_t{1} << 63;

// One step of the binary gcd on odd u != v, given d = v - u: |u - v| and the smaller of the two.
// Which one is smaller is a coin toss no branch predictor learns, so the choice must be a
// conditional move made from comparing u and v, beside the two differences: then a step of the
// loop below is three instructions deep (difference, move, shift). GCC makes a branch of every
// C++ spelling of this choice, so on x86-64 it is spelled out.
struct GcdStep {
    std::uint64_t difference;
    std::uint64_t smaller;
};
inline GcdStep gcdStep(std::uint64_t u, std::uint64_t v, std::uint64_t d) {
#if defined(__GNUC__) && defined(__x86_64__)
    GcdStep step{u - v, v};
    asm("cmp %[v], %[u]\n\t"
        "cmovb %[d], %[difference]\n\t"
        "cmovb %[u], %[smaller]"
        : [difference] "+r"(step.difference), [smaller] "+r"(step.smaller)
        : [u] "r"(u), [v] "r"(v), [d] "r"(d)
        : "cc");
    return step;
#else
    return u < v ? GcdStep{d, u} : GcdStep{u - v, v};
#endif
}

// Binary gcd, without division and without a data-dependent branch but the loop's end. Once
// their factors of two are gone both values are odd, so each difference is even and loses its
// own zeros. gcdOf(0, y) == y.
inline std::uint64_t gcdOf(std::uint64_t x, std::uint64_t y) {
    if (x == 0) return y;
    if (y == 0) return x;
    const int shift = std::countr_zero(x | y);
    std::uint64_t u = x >> std::countr_zero(x);
    std::uint64_t v = y >> std::countr_zero(y);
    for (std::uint64_t d = v - u; d != 0; d = v - u) {
        const int zeros = std::countr_zero(d);  // the same for u - v
        const GcdStep step = gcdStep(u, v, d);
        v = step.smaller;
        u = step.difference >> zeros;
    }
    return v << shift;
}

UWide gcdOf(UWide x, UWide y);

// v / g for a divisor g of |v|, exact, in wide arithmetic (|v| / g can be 2^63).
constexpr Wide quotient(std::int64_t v, std::uint64_t g) {
    const std::uint64_t q = g == 1 ? magnitude(v) : magnitude(v) / g;  // most gcds are 1: no division
    return v < 0 ? -static_cast<Wide>(q) : static_cast<Wide>(q);
}

struct Fields {
    std::int64_t numerator;
    std::int64_t denominator;
};

// Whether sign * numerator / denominator has 64-bit fields as it stands: a numerator up to
// 2^63 - 1, or 2^63 when negative, and a denominator up to 2^63 - 1.
constexpr bool fitsFields(bool negative, UWide numerator, UWide denominator) {
    const UWide limit = negative ? UWide{1} << 63 : static_cast<UWide>(maxInt);
    return numerator <= limit && denominator <= static_cast<UWide>(maxInt);
}

// The canonical fields of the exact value n/d. Requires |n|, |d| < 2^127.
// Throws FracDivisionByZeroException when d == 0 and FracOverflowException when the
// reduced value does not fit.
Fields canonical(Wide n, Wide d);
// The same for 64-bit n/d: 64-bit arithmetic where no sign has to move, and no division when
// n/d is already in lowest terms, as nearly every value is.
Fields canonicalFields(std::int64_t n, std::int64_t d);

// Every operation below gives the fields of its textbook algorithm carried out without bounds,
// or refuses: FracOverflowException when such a field does not fit, FracDivisionByZeroException
// for a zero denominator or divisor. Nothing is wrapped.

// a/b + c/d and a/b - c/d in lowest terms, whatever the operands' fields.
Fields sum(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);
Fields difference(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);
// a/b * c/d and a/b / c/d by cross-cancellation: divide a and d by gcd(a, d), b and c by
// gcd(b, c), multiply, and move the sign to the numerator. In lowest terms when the operands
// are; otherwise as many common factors remain as the cancellation leaves.
Fields product(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);
Fields quotient(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);
// (a + b * k) / b and (a - b * k) / b: an integer step that keeps the denominator as it is.
Fields shifted(std::int64_t a, std::int64_t b, std::int64_t k, bool subtract);

// The same sums, products and quotients for operands in canonical form (b, d > 0, each in
// lowest terms), which lets them cancel before they multiply: the results are the same
// canonical fields, refused exactly when those do not fit. Only a zero divisor is checked.
Fields canonicalSum(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);
Fields canonicalDifference(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);
Fields canonicalProduct(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);
Fields canonicalQuotient(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);

// The sign of a/b - c/d, exactly; inline, as it is shorter than a call.
inline int compare(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    // a/b < c/d  <=>  a*d < c*b when b*d > 0; the products are exact in 128 bits.
    Wide left = Wide{a} * d;
    Wide right = Wide{c} * b;
    if ((b < 0) != (d < 0)) {
        const Wide swapped = left;
        left = right;
        right = swapped;
    }
    return left < right ? -1 : (right < left ? 1 : 0);
}

}  // namespace zarn::exact
