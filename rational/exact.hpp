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

// Binary gcd: no division and no data-dependent branch in the loop. The trailing zeros of the
// next difference are counted from (y - x), which has as many as |y - x|, so the count runs
// alongside min and the subtraction instead of after them. gcdOf(0, y) == y.
constexpr std::uint64_t gcdOf(std::uint64_t x, std::uint64_t y) {
    if (x == 0) return y;
    if (y == 0) return x;
    int xZeros = std::countr_zero(x);
    const int yZeros = std::countr_zero(y);
    const int shift = xZeros < yZeros ? xZeros : yZeros;
    y >>= yZeros;
    while (x != 0) {
        x >>= xZeros;  // x and y are odd here
        const std::uint64_t difference = x > y ? x - y : y - x;
        xZeros = std::countr_zero(y - x);
        y = x < y ? x : y;
        x = difference;
    }
    return y << shift;
}

UWide gcdOf(UWide x, UWide y);

// v / g for a divisor g of |v|, exact, in wide arithmetic (|v| / g can be 2^63).
constexpr Wide quotient(std::int64_t v, std::uint64_t g) {
    const std::uint64_t q = magnitude(v) / g;
    return v < 0 ? -static_cast<Wide>(q) : static_cast<Wide>(q);
}

struct Fields {
    std::int64_t numerator;
    std::int64_t denominator;
};

// The canonical fields of the exact value n/d. Requires |n|, |d| < 2^127.
// Throws FracDivisionByZeroException when d == 0 and FracOverflowException when the
// reduced value does not fit.
Fields canonical(Wide n, Wide d);

// The fields of a/b + c/d, a/b - c/d, a/b * c/d and a/b / c/d, or a refusal:
// FracOverflowException when the exact result does not fit, FracDivisionByZeroException for
// a zero denominator or divisor. Canonical when the operands are; always the exact value.
Fields sum(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);
Fields difference(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);
Fields product(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);
Fields quotient(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);

// The sign of a/b - c/d, exactly.
int compare(std::int64_t a, std::int64_t b, std::int64_t c, std::int64_t d);

}  // namespace zarn::exact
