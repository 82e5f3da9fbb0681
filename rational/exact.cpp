#include "rational/exact.hpp"

#include "rational/frac.hpp"

namespace zarn::exact {

UWide gcdOf(UWide x, UWide y) {
    while (x != 0) {
        if (x <= UINT64_MAX && y <= UINT64_MAX) {
            return gcdOf(static_cast<std::uint64_t>(x), static_cast<std::uint64_t>(y));
        }
        const UWide r = y % x;
        y = x;
        x = r;
    }
    return y;
}

namespace {

constexpr UWide wideMagnitude(Wide v) { return v < 0 ? static_cast<UWide>(-v) : static_cast<UWide>(v); }

// Fields of sign * numerator / denominator, already in lowest terms, or frac.overflow.
Fields fit(bool negative, UWide numerator, UWide denominator) {
    const UWide limit = negative ? UWide{1} << 63 : static_cast<UWide>(maxInt);
    if (numerator > limit || denominator > static_cast<UWide>(maxInt)) throw FracOverflowException();
    const auto bits = static_cast<std::uint64_t>(numerator);
    // Two's complement negation of the magnitude; 2^63 becomes -2^63.
    return {static_cast<std::int64_t>(negative ? 0 - bits : bits), static_cast<std::int64_t>(denominator)};
}

// n/d (d != 0) already in lowest terms: only the sign is moved to the numerator.
Fields reduced(Wide n, Wide d) {
    if (n == 0) return {0, 1};
    return fit((n < 0) != (d < 0), wideMagnitude(n), wideMagnitude(d));
}

}  // namespace

Fields canonical(Wide n, Wide d) {
    if (d == 0) throw FracDivisionByZeroException();
    if (n == 0) return {0, 1};
    const bool negative = (n < 0) != (d < 0);
    const UWide top = wideMagnitude(n);
    const UWide bottom = wideMagnitude(d);
    if (bottom == 1) return fit(negative, top, bottom);
    if (top <= UINT64_MAX && bottom <= UINT64_MAX) {
        // The common case: 64-bit divisions only.
        const auto t = static_cast<std::uint64_t>(top);
        const auto b = static_cast<std::uint64_t>(bottom);
        const std::uint64_t g = gcdOf(t, b);
        return fit(negative, t / g, b / g);
    }
    const UWide g = gcdOf(top, bottom);
    return fit(negative, top / g, bottom / g);
}

// The operations below keep lowest terms the way the textbook proofs do: for operands in lowest
// terms their results are in lowest terms without a gcd of the full result. For operands that
// are not (raw setters), the value is still exact; normalize() reduces it.

namespace {

// a/b + c/d or a/b - c/d. With g = gcd(b, d), the sum is t / (b * (d/g)) where
// t = a*(d/g) + c*(b/g); any factor t shares with that denominator divides g.
Fields sumOrDifference(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d, bool subtract) {
    if (b == 0 || d == 0) throw FracDivisionByZeroException();
    if (b == 1 && d == 1) return reduced(subtract ? Wide{a} - c : Wide{a} + c, 1);  // whole numbers
    const std::uint64_t g = gcdOf(magnitude(b), magnitude(d));
    const Wide dOverG = quotient(d, g);
    const Wide scaledA = a * dOverG;
    const Wide scaledC = c * quotient(b, g);
    const Wide t = subtract ? scaledA - scaledC : scaledA + scaledC;
    if (g == 1) return reduced(t, b * dOverG);
    const UWide tMagnitude = wideMagnitude(t);
    const std::uint64_t remainder =
        tMagnitude <= UINT64_MAX ? static_cast<std::uint64_t>(tMagnitude) % g : static_cast<std::uint64_t>(tMagnitude % g);
    const std::uint64_t common = gcdOf(remainder, g);  // gcd(t, g)
    return reduced(t / static_cast<Wide>(common), quotient(b, common) * dOverG);
}

}  // namespace

Fields sum(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    return sumOrDifference(a, b, c, d, false);
}

Fields difference(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    return sumOrDifference(a, b, c, d, true);
}

// Cancels gcd(a, d) and gcd(b, c) before multiplying: for operands in lowest terms what remains
// has no common factor, and the products are as small as the result allows.
Fields product(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    if (b == 0 || d == 0) throw FracDivisionByZeroException();
    if (a == 0 || c == 0) return {0, 1};
    if (b == 1 && d == 1) return reduced(Wide{a} * c, 1);  // whole numbers
    const std::uint64_t g = gcdOf(magnitude(a), magnitude(d));
    const std::uint64_t h = gcdOf(magnitude(b), magnitude(c));
    return reduced(quotient(a, g) * quotient(c, h), quotient(b, h) * quotient(d, g));
}

Fields quotient(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    if (c == 0 || d == 0) throw FracDivisionByZeroException();
    return product(a, b, d, c);  // dividing by c/d is multiplying by d/c
}

int compare(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
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
