#pragma once
// The exact reference for frac: GMP's unbounded rationals, random operands of every size, and
// the reading rule for numbers applied to digit runs.

#include <gmpxx.h>

#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <string_view>

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

inline bool fitsInt64(const mpz_class& z) {
    static const mpz_class lowest = toMpz(kMin);
    static const mpz_class highest = toMpz(kMax);
    return z >= lowest && z <= highest;
}

// Whether the exact value has a 64-bit canonical form.
inline bool fits(const mpq_class& q) { return fitsInt64(q.get_num()) && fitsInt64(q.get_den()); }

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

// The textbook algorithms of frac's operations carried out on unbounded integers: Euclid's gcd
// with truncating remainders (its sign included), cross-cancellation, the sign moved to the
// numerator at the end. A field that does not fit 64 bits is refused as frac refuses it.
namespace reference {

struct Pair {
    mpz_class n, d;
};

inline Pair pairOf(const frac& value) { return {toMpz(value.numerator()), toMpz(value.denominator())}; }

inline Pair fitted(Pair p) {
    if (!fitsInt64(p.n) || !fitsInt64(p.d)) throw FracOverflowException();
    return p;
}

inline mpz_class gcd(mpz_class x, mpz_class y) {
    while (x != 0) {
        mpz_class r;
        mpz_tdiv_r(r.get_mpz_t(), y.get_mpz_t(), x.get_mpz_t());
        y = x;
        x = r;
    }
    return y;
}

inline Pair fixSign(Pair p) {
    if (p.d < 0) return {-p.n, -p.d};
    return p;
}

inline Pair normalized(const Pair& p) {
    if (p.d == 0) throw FracDivisionByZeroException();
    if (p.n == 0) return {0, 1};
    const mpz_class g = gcd(p.n, p.d);
    return fitted(fixSign({p.n / g, p.d / g}));
}

inline void requireDenominators(const Pair& x, const Pair& y) {
    if (x.d == 0 || y.d == 0) throw FracDivisionByZeroException();
}

inline Pair sum(const Pair& x, const Pair& y, int sign = 1) {
    requireDenominators(x, y);
    const mpz_class g = gcd(x.d, y.d);
    return normalized({x.n * (y.d / g) + sign * y.n * (x.d / g), x.d * (y.d / g)});
}

inline Pair product(const Pair& x, const Pair& y) {
    requireDenominators(x, y);
    const mpz_class g = gcd(x.n, y.d);
    const mpz_class h = gcd(x.d, y.n);
    return fitted(fixSign({(x.n / g) * (y.n / h), (x.d / h) * (y.d / g)}));
}

inline Pair quotient(const Pair& x, const Pair& y) {
    requireDenominators(x, y);
    if (y.n == 0) throw FracDivisionByZeroException();
    const mpz_class g = gcd(x.n, y.n);
    const mpz_class h = gcd(x.d, y.d);
    return fitted(fixSign({(x.n / g) * (y.d / h), (x.d / h) * (y.n / g)}));
}

// (n + d*k) / d, the denominator as it stands.
inline Pair shifted(const Pair& x, const mpz_class& k) {
    requireDenominators(x, x);
    return fitted({x.n + x.d * k, x.d});
}

inline Pair mulInteger(const Pair& x, const mpz_class& k) {
    requireDenominators(x, x);
    const mpz_class g = gcd(x.d, k);
    return fitted(fixSign({x.n * (k / g), x.d / g}));
}

inline Pair divInteger(const Pair& x, const mpz_class& k) {
    requireDenominators(x, x);
    if (k == 0) throw FracDivisionByZeroException();
    const mpz_class g = gcd(x.n, k);
    return fitted(fixSign({x.n / g, (k / g) * x.d}));
}

inline mpq_class valueOf(const Pair& p) {
    mpq_class q(p.n, p.d);
    q.canonicalize();
    return q;
}

inline std::string text(const Pair& p) { return p.n.get_str() + "/" + p.d.get_str(); }
inline std::string text(const frac& value) {
    return std::to_string(value.numerator()) + "/" + std::to_string(value.denominator());
}

// The fields `operation` gives as "n/d", unreduced, or the message of the refusal it throws:
// frac's operations and their references compare as text, with readable failures.
template <class Operation>
std::string outcomeOf(Operation operation) {
    try {
        const auto& result = operation();  // a reference to a frac& result: no normalising copy
        return text(result);
    } catch (const FracOverflowException& e) {
        return e.message();
    } catch (const FracDivisionByZeroException& e) {
        return e.message();
    }
}

inline bool refused(const std::string& outcome) { return outcome.find('/') == std::string::npos; }

// A copy with the same fields, where a frac copy would normalise.
inline frac rawCopy(const frac& value) {
    frac copy;
    copy.setNumerator(value.numerator());
    copy.setDenominator(value.denominator());
    return copy;
}

}  // namespace reference

// Operands as parse and the raw setters leave them: canonical, with a common factor, with a
// negative denominator, and now and then with a zero one.
inline frac randomOperand(std::mt19937_64& random) {
    frac value;
    switch (random() % 4) {
        case 0: return randomFrac(random);
        case 1: {
            // A text with a common factor: kept as written when that fits, else in lowest terms.
            const frac canonical = randomFrac(random);
            const mpz_class factor = random() % 2 ? mpz_class(static_cast<unsigned long>(random() % 1000 + 1))
                                                  : mpz_class(abs(toMpz(randomInteger(random)))) + 1;
            value.parse(mpz_class(toMpz(canonical.numerator()) * factor).get_str() + "/" +
                        mpz_class(toMpz(canonical.denominator()) * factor).get_str());
            return value;
        }
        case 2: {
            const frac canonical = randomFrac(random);
            const std::int64_t factor = random() % 2 ? static_cast<std::int64_t>(random() % 1000) - 500
                                                     : randomInteger(random);
            const mpz_class n = toMpz(canonical.numerator()) * toMpz(factor);
            const mpz_class d = toMpz(canonical.denominator()) * toMpz(factor);
            if (factor == 0 || !fitsInt64(n) || !fitsInt64(d)) return canonical;
            value.setNumerator(canonical.numerator() * factor);
            value.setDenominator(canonical.denominator() * factor);
            return value;
        }
        default:
            value.setNumerator(randomInteger(random));
            value.setDenominator(random() % 64 == 0 ? 0 : randomInteger(random));
            return value;
    }
}

// What parse stores for a number given as its digit runs, or why it refuses it: the fields as
// written when they fit, else the value in lowest terms when that fits.
struct NumberReading {
    std::optional<FracParseException::Reason> refusal;
    mpz_class numerator, denominator;
};

inline std::size_t significantDigits(std::string_view digits) {
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? 0 : digits.size() - first;
}

// `separator` is '.', '/' or 0 for none; `before` and `after` are the digit runs around it.
inline NumberReading readDigits(bool negative, std::string_view before, char separator, std::string_view after) {
    const auto value = [](std::string_view digits) {
        return digits.empty() ? mpz_class(0) : mpz_class(std::string(digits), 10);
    };
    NumberReading read;
    std::size_t numeratorDigits = significantDigits(before);
    std::size_t denominatorDigits = 0;
    read.numerator = value(before);
    read.denominator = 1;
    if (separator == '/') {
        read.denominator = value(after);
        denominatorDigits = significantDigits(after);
    } else if (separator == '.') {
        // The digits without the point; zeros at the end of the fraction are not counted.
        const std::string_view places = after.substr(0, after.find_last_not_of('0') + 1);
        numeratorDigits = significantDigits(std::string(before) + std::string(places));
        read.numerator = value(std::string(before) + std::string(after));
        mpz_ui_pow_ui(read.denominator.get_mpz_t(), 10, after.size());
    }
    if (negative) read.numerator = -read.numerator;
    if (read.denominator == 0) {
        read.refusal = FracParseException::Reason::ZeroDenominator;
    } else if (numeratorDigits > 38 || denominatorDigits > 38) {
        read.refusal = FracParseException::Reason::TooManyDigits;
    } else if (!fitsInt64(read.numerator) || !fitsInt64(read.denominator)) {
        mpq_class q(read.numerator, read.denominator);
        q.canonicalize();
        if (fits(q)) {
            read.numerator = q.get_num();
            read.denominator = q.get_den();
        } else {
            read.refusal = FracParseException::Reason::TooLarge;
        }
    }
    return read;
}

}  // namespace zarn::testing_support
