#pragma once
// The exact reference for frac: GMP's unbounded rationals, and random operands of every size.

#include <gmpxx.h>

#include <cstdint>
#include <limits>
#include <random>

#include "rational/frac.hpp"

namespace zarn::testing_support {

inline constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
inline constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

inline mpz_class toMpz(std::int64_t v) {
    const std::uint64_t magnitude = v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    mpz_class z(static_cast<unsigned long>(magnitude >> 32));
    z <<= 32;
    z += static_cast<unsigned long>(magnitude & 0xFFFFFFFFu);
    return v < 0 ? mpz_class(-z) : z;
}

inline mpq_class toMpq(const frac& value) {
    mpq_class q(toMpz(value.numerator()), toMpz(value.denominator()));
    q.canonicalize();
    return q;
}

// Whether the exact value has a 64-bit canonical form.
inline bool fits(const mpq_class& q) {
    static const mpz_class lowest = toMpz(kMin);
    static const mpz_class highest = toMpz(kMax);
    return q.get_num() >= lowest && q.get_num() <= highest && q.get_den() <= highest;
}

// Whether `value` holds exactly the canonical fields of `expected`.
inline bool holdsExactly(const frac& value, const mpq_class& expected) {
    return toMpz(value.numerator()) == expected.get_num() && toMpz(value.denominator()) == expected.get_den();
}

// Integers of every size: small, 32-bit, 64-bit, near both limits, and near powers of two.
inline std::int64_t randomInteger(std::mt19937_64& random) {
    switch (random() % 6) {
        case 0: return static_cast<std::int64_t>(random() % 41) - 20;
        case 1: return static_cast<std::int32_t>(random());
        case 2: return static_cast<std::int64_t>(random());
        case 3: return kMax - static_cast<std::int64_t>(random() % 1000);
        case 4: return kMin + static_cast<std::int64_t>(random() % 1000);
        default: {
            const auto bits = static_cast<int>(random() % 63);
            return (std::int64_t{1} << bits) * (random() % 2 ? 1 : -1) + static_cast<std::int64_t>(random() % 3) - 1;
        }
    }
}

inline frac randomFrac(std::mt19937_64& random) {
    for (;;) {
        const std::int64_t d = randomInteger(random);
        if (d == 0) continue;
        try {
            return frac(randomInteger(random), d);
        } catch (const FracOverflowException&) {
            // -2^63 over a negative denominator: draw again.
        }
    }
}

}  // namespace zarn::testing_support
