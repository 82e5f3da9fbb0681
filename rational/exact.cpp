#include "rational/exact.hpp"

#include "rational/frac.hpp"

namespace zarn::exact {

UWide gcdOf(UWide x, UWide y) {
    while (x != 0) {
        if (x <= maxMagnitude && y <= maxMagnitude) {
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

// Fields of sign * numerator / denominator as they stand, or frac.overflow.
Fields fit(bool negative, UWide numerator, UWide denominator) {
    if (!fitsFields(negative, numerator, denominator)) throw FracOverflowException();
    const auto bits = static_cast<std::uint64_t>(numerator);
    // Two's complement negation of the magnitude; 2^63 becomes -2^63.
    return {static_cast<std::int64_t>(negative ? 0 - bits : bits), static_cast<std::int64_t>(denominator)};
}

// n/d (d != 0) unreduced, with a negative denominator's sign moved to the numerator.
Fields signFixed(Wide n, Wide d) {
    return fit(n != 0 && (n < 0) != (d < 0), wideMagnitude(n), wideMagnitude(d));
}

}  // namespace

Fields canonical(Wide n, Wide d) {
    if (d == 0) throw FracDivisionByZeroException();
    if (n == 0) return {0, 1};
    const bool negative = (n < 0) != (d < 0);
    const UWide top = wideMagnitude(n);
    const UWide bottom = wideMagnitude(d);
    if (bottom == 1) return fit(negative, top, bottom);
    if (top <= maxMagnitude && bottom <= maxMagnitude) {
        // The common case: 64-bit divisions only.
        const auto t = static_cast<std::uint64_t>(top);
        const auto b = static_cast<std::uint64_t>(bottom);
        const std::uint64_t g = gcdOf(t, b);
        if (g == 1) return fit(negative, t, b);  // already in lowest terms: no division
        return fit(negative, t / g, b / g);
    }
    const UWide g = gcdOf(top, bottom);
    return fit(negative, top / g, bottom / g);
}

Fields canonicalFields(std::int64_t n, std::int64_t d) {
    if (d <= 0) return canonical(n, Wide{d});  // a sign to move may make 2^63
    if (n == 0) return {0, 1};
    const std::uint64_t g = gcdOf(magnitude(n), static_cast<std::uint64_t>(d));
    if (g == 1) return {n, d};
    return {n / static_cast<std::int64_t>(g), d / static_cast<std::int64_t>(g)};
}

namespace {

// a/b + c/d or a/b - c/d, reduced by one gcd of the exact cross sum and product. The operands
// need not be in lowest terms, so no cheaper reduction would be sound.
Fields sumOrDifference(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d, bool subtract) {
    if (b == 0 || d == 0) throw FracDivisionByZeroException();
    const Wide right = subtract ? -Wide{c} : Wide{c};
    if (b == 1 && d == 1) return signFixed(a + right, 1);  // whole numbers
    if (b == d) return canonical(a + right, b);            // no products needed
    // |a*d| and |c*b| reach 2^126 only for a == d == -2^63 and c == b == -2^63, which the
    // equal denominators above take, so the sum stays below 2^127.
    return canonical(a * Wide{d} + right * b, Wide{b} * d);
}

}  // namespace

Fields sum(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    return sumOrDifference(a, b, c, d, false);
}

Fields difference(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    return sumOrDifference(a, b, c, d, true);
}

// Cancels gcd(a, d) and gcd(b, c) before multiplying: for operands in lowest terms what remains
// has no common factor, and the products are as small as the result allows. The magnitudes of
// the gcds are used: their signs cancel once the sign is moved to the numerator.
Fields product(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    if (b == 0 || d == 0) throw FracDivisionByZeroException();
    if (b == 1 && d == 1) return signFixed(Wide{a} * c, 1);  // whole numbers
    // gcd(0, d) == |d| and gcd(b, 0) == |b|: a zero factor leaves 0 over what b and d keep.
    const std::uint64_t g = gcdOf(magnitude(a), magnitude(d));
    const std::uint64_t h = gcdOf(magnitude(b), magnitude(c));
    return signFixed(quotient(a, g) * quotient(c, h), quotient(b, h) * quotient(d, g));
}

Fields quotient(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    if (c == 0 || d == 0) throw FracDivisionByZeroException();
    return product(a, b, d, c);  // dividing by c/d is multiplying by d/c
}

Fields shifted(std::int64_t a, std::int64_t b, std::int64_t k, bool subtract) {
    if (b == 0) throw FracDivisionByZeroException();
    const Wide step = Wide{b} * k;
    const Wide n = subtract ? a - step : a + step;
    // The denominator stays as it is, negative or not; only the numerator has to fit.
    if (n < minInt || n > maxInt) throw FracOverflowException();
    return {static_cast<std::int64_t>(n), b};
}

namespace {

// v / g for a divisor g of v; most gcds are 1, and then there is nothing to divide.
constexpr std::uint64_t divided(std::uint64_t v, std::uint64_t g) { return g == 1 ? v : v / g; }

// Knuth's addition (The Art of Computer Programming, 4.5.1): with g = gcd(b, d),
// a/b + c/d = t / ((b/g) * d) for t = a*(d/g) + c*(b/g). For operands in lowest terms t has no
// factor in common with b/g nor with d/g, so only gcd(t, g) divides both, and dividing by it
// leaves lowest terms. |t| < 2^63 * 2^63 * 2, so it fits 128 bits.
Fields canonicalSumOf(std::int64_t a, std::int64_t b, Wide c, std::int64_t d) {
    if ((b | d) == 1) return signFixed(a + c, 1);  // whole numbers
    const auto ub = static_cast<std::uint64_t>(b);
    const auto ud = static_cast<std::uint64_t>(d);
    const std::uint64_t g = gcdOf(ub, ud);
    if (g == 1) {
        const Wide t = a * Wide{d} + c * b;
        return fit(t < 0, wideMagnitude(t), UWide{ub} * ud);
    }
    const std::uint64_t bg = ub / g;
    const Wide t = a * static_cast<Wide>(ud / g) + c * static_cast<Wide>(bg);
    UWide top = wideMagnitude(t);
    // gcd(t, g) from t mod g, in 64 bits unless the operands are large.
    const bool narrow = top >> 64 == 0;
    const auto rest = narrow ? static_cast<std::uint64_t>(top) % g : static_cast<std::uint64_t>(top % g);
    const std::uint64_t h = gcdOf(rest, g);
    if (h != 1) top = narrow ? UWide{static_cast<std::uint64_t>(top) / h} : top / h;
    return fit(t < 0, top, UWide{bg} * divided(ud, h));
}

// a/b * c/d with b and d given as magnitudes, so that a divisor of -2^63 can stand there.
Fields canonicalProductOf(std::int64_t a, std::uint64_t b, std::int64_t c, std::uint64_t d) {
    if ((b | d) == 1) return signFixed(Wide{a} * c, 1);  // whole numbers
    const std::uint64_t g = gcdOf(magnitude(a), d);
    const std::uint64_t h = gcdOf(b, magnitude(c));
    const Wide top = quotient(a, g) * quotient(c, h);
    return fit(top < 0, wideMagnitude(top), UWide{divided(b, h)} * divided(d, g));
}

}  // namespace

Fields canonicalSum(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    return canonicalSumOf(a, b, Wide{c}, d);
}

Fields canonicalDifference(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    return canonicalSumOf(a, b, -Wide{c}, d);
}

Fields canonicalProduct(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    return canonicalProductOf(a, static_cast<std::uint64_t>(b), c, static_cast<std::uint64_t>(d));
}

// Dividing by c/d is multiplying by (sign of c) * d / |c|, still in lowest terms.
Fields canonicalQuotient(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d) {
    if (c == 0) throw FracDivisionByZeroException();
    return canonicalProductOf(a, static_cast<std::uint64_t>(b), c < 0 ? -d : d, magnitude(c));
}

}  // namespace zarn::exact
