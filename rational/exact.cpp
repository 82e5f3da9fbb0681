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

// Canonical fields from a sign and reduced magnitudes, or frac.overflow.
Fields fit(bool negative, UWide numerator, UWide denominator) {
    const UWide limit = negative ? UWide{1} << 63 : static_cast<UWide>(maxInt);
    if (numerator > limit || denominator > static_cast<UWide>(maxInt)) throw FracOverflowException();
    const auto bits = static_cast<std::uint64_t>(numerator);
    // Two's complement negation of the magnitude; 2^63 becomes -2^63.
    return {static_cast<std::int64_t>(negative ? 0 - bits : bits),
            static_cast<std::int64_t>(denominator)};
}

}  // namespace

Fields canonical(Wide n, Wide d) {
    if (d == 0) throw FracDivisionByZeroException();
    if (n == 0) return {0, 1};
    const bool negative = (n < 0) != (d < 0);
    UWide top = n < 0 ? static_cast<UWide>(-n) : static_cast<UWide>(n);
    UWide bottom = d < 0 ? static_cast<UWide>(-d) : static_cast<UWide>(d);
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

}  // namespace zarn::exact
