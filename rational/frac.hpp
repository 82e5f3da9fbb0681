#pragma once
// frac: an exact rational number, a fraction of two 64-bit signed integers.
//
// Invariant (canonical form): the denominator is positive, numerator and denominator have no
// common factor but 1, and zero is 0/1. Every constructor and every arithmetic operation leaves
// its result canonical. Only the raw setters store what they are given.
//
// Exact or refused: an operation whose exact result does not fit (numerator from -2^63 to
// 2^63 - 1, denominator from 1 to 2^63 - 1) throws FracOverflowException and changes nothing;
// dividing by zero throws FracDivisionByZeroException. No value is ever silently wrapped.

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "rational/object.hpp"

namespace zarn {

// Extended precision for comparisons with real numbers: a 64-bit significand holds every
// 64-bit integer exactly.
using real = long double;
static_assert(std::numeric_limits<real>::digits >= 64, "real must hold 64-bit integers exactly");

// A text that is not a number of the notation, or whose digits do not fit 64 bits.
class FracParseException : public Exception {
public:
    FracParseException() : Exception("frac.parse") {}
};

// An exact result that cannot be held in 64-bit numerator and denominator.
class FracOverflowException : public Exception {
public:
    FracOverflowException() : Exception("frac.overflow") {}
};

// A zero divisor or a zero denominator.
class FracDivisionByZeroException : public Exception {
public:
    FracDivisionByZeroException() : Exception("frac.division_by_zero") {}
};

// Euclid's algorithm with truncating remainders: gcd(x, y) is x == 0 ? y : gcd(y rem x, x).
// Its magnitude is the greatest common divisor; its sign follows from the remainders
// (gcd(4, -6) == -2, gcd(-4, 6) == 2). Callers divide by it and repair the sign afterwards.
std::int64_t gcd(std::int64_t x, std::int64_t y);

class frac : public Object {
public:
    // 0/1.
    frac() = default;
    // n/d brought to canonical form; d == 0 throws FracDivisionByZeroException.
    frac(std::int64_t n, std::int64_t d);
    // Copies the fields and normalises, so a copy is always canonical.
    frac(const frac& other);
    frac& operator=(const frac& other);
    // Reads the notation of parse() and normalises; throws FracParseException.
    explicit frac(std::string_view text);
    ~frac() override = default;

    // Object's operations.
    std::string toString() const override;

    // Virtual operations, in the order of the class's interface.
    virtual void setNumerator(std::int64_t n);
    virtual std::int64_t numerator() const;
    virtual void setDenominator(std::int64_t d);
    virtual std::int64_t denominator() const;
    virtual frac& fixSign();
    virtual frac& normalize();
    virtual frac& parse(std::string_view text);
    virtual frac add(const frac& other) const;
    virtual frac sub(const frac& other) const;
    virtual frac mul(const frac& other) const;
    virtual frac div(const frac& other) const;
    virtual bool equalsReal(real x) const;
    virtual int compareReal(real x) const;
    virtual frac& addAssign(const frac& other);
    virtual frac& subAssign(const frac& other);
    virtual frac& mulAssign(const frac& other);
    virtual frac& divAssign(const frac& other);
    virtual void assignText(std::string_view text);
    virtual std::string toFractionString() const;
    virtual std::string toDecimalString(std::uint32_t digits) const;

private:
    std::int64_t numerator_ = 0;
    std::int64_t denominator_ = 1;
};

}  // namespace zarn
