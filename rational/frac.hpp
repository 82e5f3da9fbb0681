#pragma once
// frac: an exact rational number, a fraction of two 64-bit signed integers.
//
// Invariant (canonical form): the denominator is positive, numerator and denominator have no
// common factor but 1, and zero is 0/1. Every constructor leaves its value canonical, and so
// does every operation on canonical operands. Only the raw setters and parse() store fields that
// may not be; on such fields every operation still gives the exact value, and its fields are
// exactly those of its algorithm (described at each operation) carried out without bounds.
// Each value knows whether it is canonical: every operation that leaves it so says so, and the
// raw setters, and parse() where it keeps the fields as written, say it may not be. Canonical
// operands take the shorter algorithms (cancelling before multiplying), with the same results.
//
// Exact or refused: an operation whose fields do not fit (numerator from -2^63 to 2^63 - 1,
// denominator from 1 to 2^63 - 1) throws FracOverflowException and changes nothing; dividing
// by zero throws FracDivisionByZeroException. Nothing ever wraps.
//
// Zero denominators: the raw setters store one as given and the getters return it, but a value
// with a zero denominator has no value, so every other operation that reads it, as this or as
// an operand (arithmetic, comparisons, equality, conversions, text forms, copies, fixSign and
// normalize), throws FracDivisionByZeroException and changes nothing. Moving carries the fields
// over as they stand and never throws; assignInteger, assignText and parse replace them.

#include <compare>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>

#include "rational/object.hpp"

namespace zarn {

// Extended precision for comparisons with real numbers: a 64-bit significand holds every
// 64-bit integer exactly.
using real = long double;
static_assert(std::numeric_limits<real>::digits >= 64, "real must hold 64-bit integers exactly");

// A text that cannot be read as a value. The message is always "frac.parse"; the reason tells
// what was wrong, for callers that explain a refusal to the user.
class FracParseException : public Exception {
public:
    enum class Reason {
        NotANumber,       // not the notation: stray bytes, a second separator, nothing at all
        ZeroDenominator,  // a "/" followed by no digits or only zeros
        TooManyDigits,    // more digits than are read exactly
        TooLarge,         // the value in lowest terms does not fit 64-bit numerator and denominator
    };
    explicit FracParseException(Reason reason = Reason::NotANumber) : Exception("frac.parse"), reason_(reason) {}
    Reason reason() const noexcept { return reason_; }

private:
    Reason reason_;
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
    // Copies the fields and normalises (a canonical value needs nothing), so a copy is always
    // canonical.
    frac(const frac& other);
    frac& operator=(const frac& other);
    // Moving keeps the fields as they are: temporaries come from operations that already made
    // them canonical, and containers move without throwing.
    frac(frac&& other) noexcept = default;
    frac& operator=(frac&& other) noexcept = default;
    // Reads the notation of parse() and normalises; throws FracParseException.
    explicit frac(std::string_view text);
    ~frac() override = default;

    // Object's operations. opCmp throws and equalsObject gives false for an object that is
    // not a frac.
    std::string toString() const override;
    int opCmp(const Object* other) const override;
    bool equalsObject(const Object* other) const override;

    // Virtual operations, in the order of the class's interface.
    virtual void setNumerator(std::int64_t n);
    virtual std::int64_t numerator() const;
    virtual void setDenominator(std::int64_t d);
    virtual std::int64_t denominator() const;
    virtual frac& fixSign();
    virtual frac& normalize();
    // Reads a number into the two fields; throws FracParseException and changes nothing when
    // it refuses. The notation: [blanks][+|-][blanks] digits with at most one "." or "/" among
    // them, either side of it possibly empty (an empty run is 0), [blanks]. The number is
    // refused when a denominator is zero, when its value in lowest terms does not fit, or when
    // its numerator or denominator has more than 38 digits, not counting leading zeros nor a
    // decimal's trailing zeros after the point (a decimal's numerator is its digits without
    // the point). Fields that fit as written are kept so (1.50 is 150/100, -4/6 is -4/6);
    // otherwise the value is stored in lowest terms.
    virtual frac& parse(std::string_view text);
    // The new-value operations below work on a canonical copy of this, so only `other` (or k)
    // is taken as its fields stand.
    virtual frac unaryPlus() const;
    virtual frac unaryMinus() const;
    // The old value, canonical; this becomes (n + d) / d (or (n - d) / d), its fields otherwise
    // as they stand.
    virtual frac postIncrement();
    virtual frac postDecrement();
    virtual frac add(const frac& other) const;
    virtual frac sub(const frac& other) const;
    virtual frac mul(const frac& other) const;
    virtual frac div(const frac& other) const;
    virtual frac addInteger(std::int64_t k) const;
    virtual frac subInteger(std::int64_t k) const;
    virtual frac mulInteger(std::int64_t k) const;
    virtual frac divInteger(std::int64_t k) const;
    // k - this, k / this: frac(k, 1) with subAssign(this) or divAssign(this).
    virtual frac subReversed(std::int64_t k) const;
    virtual frac divReversed(std::int64_t k) const;
    // Field by field, which is value equality for canonical values.
    virtual bool equals(const frac& other) const;
    virtual bool equalsReal(real x) const;
    // -1, 0 or 1: the exact order, never one computed from a wrapped product.
    virtual int compare(const frac& other) const;
    virtual int compareReal(real x) const;
    // Sums and differences end in lowest terms, whatever the operands' fields.
    virtual frac& addAssign(const frac& other);
    virtual frac& subAssign(const frac& other);
    // a/b * c/d: (a / gcd(a, d)) * (c / gcd(b, c)) over (b / gcd(b, c)) * (d / gcd(a, d)), the
    // sign moved to the numerator; a/b / c/d multiplies by d/c. Canonical for canonical
    // operands; otherwise what the cancellation leaves (0/5 * 1 stays 0/5).
    virtual frac& mulAssign(const frac& other);
    virtual frac& divAssign(const frac& other);
    // (n + d*k) / d and (n - d*k) / d: the denominator is kept as it stands.
    virtual frac& addAssignInteger(std::int64_t k);
    virtual frac& subAssignInteger(std::int64_t k);
    // this * (k/1) and this / (k/1), as mulAssign and divAssign.
    virtual frac& mulAssignInteger(std::int64_t k);
    virtual frac& divAssignInteger(std::int64_t k);
    virtual void assignInteger(std::int64_t k);
    virtual void assignText(std::string_view text);
    // numerator / denominator, rounded once to nearest.
    virtual real toReal() const;
    virtual std::string toFractionString() const;
    virtual std::string toDecimalString(std::uint32_t digits) const;

    // The two written forms appended to `out`, for writers of many values at once.
    void appendFractionString(std::string& out) const;
    void appendDecimalString(std::string& out, std::uint32_t digits) const;

private:
    // A new value: a canonical copy of this, changed by an in-place operation. Built in place
    // and returned without a further copy.
    template <class Operand>
    frac changedCopy(frac& (frac::*change)(Operand), std::type_identity_t<Operand> operand) const {
        frac result(*this);
        (result.*change)(operand);
        return result;
    }
    // add and sub: a copy of this changed by addAssign or subAssign, reduced first only where
    // that can matter.
    frac sumCopy(frac& (frac::*change)(const frac&), const frac& other) const;
    // this op c/d in place, by the exact operation's algorithm for canonical operands where this
    // and c/d are both canonical, else by its algorithm for any fields. The result is known to be
    // canonical where both operands were, or always for an operation that ends in lowest terms.
    enum class Ends { asOperands, inLowestTerms };
    template <class Algorithm>
    frac& combine(std::int64_t c, std::int64_t d, bool operandCanonical, Algorithm forCanonical, Algorithm forAny,
                  Ends ends) {
        const bool canonical = canonical_ && operandCanonical;
        const std::int64_t a = numerator_, b = denominator_;
        assign(canonical ? forCanonical(a, b, c, d) : forAny(a, b, c, d), canonical || ends == Ends::inLowestTerms);
        return *this;
    }
    void assign(std::int64_t n, std::int64_t d, bool canonical) {
        numerator_ = n;
        denominator_ = d;
        canonical_ = canonical;
    }
    template <class Fields>
    void assign(const Fields& fields, bool canonical) {
        assign(fields.numerator, fields.denominator, canonical);
    }
    bool bothCanonical(const frac& other) const { return canonical_ && other.canonical_; }
    // The rule for zero denominators (see above), for the operations that do not divide.
    void requireDenominator() const {
        if (denominator_ == 0) [[unlikely]] refuseZeroDenominator();
    }
    [[noreturn]] static void refuseZeroDenominator();

    // The flag stands between the fields so that GCC writes them as two 8-byte stores: side by
    // side it joins them through the stack into one 16-byte store, which stalls the next read.
    std::int64_t numerator_ = 0;
    // The fields are known to be canonical; false says only that they may not be.
    bool canonical_ = true;
    std::int64_t denominator_ = 1;
};

// The usual operators, each a thin forward onto the named operation.
inline frac operator+(const frac& a, const frac& b) { return a.add(b); }
inline frac operator-(const frac& a, const frac& b) { return a.sub(b); }
inline frac operator*(const frac& a, const frac& b) { return a.mul(b); }
inline frac operator/(const frac& a, const frac& b) { return a.div(b); }
inline frac operator+(const frac& a, std::int64_t k) { return a.addInteger(k); }
inline frac operator-(const frac& a, std::int64_t k) { return a.subInteger(k); }
inline frac operator*(const frac& a, std::int64_t k) { return a.mulInteger(k); }
inline frac operator/(const frac& a, std::int64_t k) { return a.divInteger(k); }
inline frac operator+(std::int64_t k, const frac& a) { return a.addInteger(k); }
inline frac operator-(std::int64_t k, const frac& a) { return a.subReversed(k); }
inline frac operator*(std::int64_t k, const frac& a) { return a.mulInteger(k); }
inline frac operator/(std::int64_t k, const frac& a) { return a.divReversed(k); }
inline frac& operator+=(frac& a, const frac& b) { return a.addAssign(b); }
inline frac& operator-=(frac& a, const frac& b) { return a.subAssign(b); }
inline frac& operator*=(frac& a, const frac& b) { return a.mulAssign(b); }
inline frac& operator/=(frac& a, const frac& b) { return a.divAssign(b); }
inline frac& operator+=(frac& a, std::int64_t k) { return a.addAssignInteger(k); }
inline frac& operator-=(frac& a, std::int64_t k) { return a.subAssignInteger(k); }
inline frac& operator*=(frac& a, std::int64_t k) { return a.mulAssignInteger(k); }
inline frac& operator/=(frac& a, std::int64_t k) { return a.divAssignInteger(k); }
inline frac operator-(const frac& a) { return a.unaryMinus(); }
inline frac operator+(const frac& a) { return a.unaryPlus(); }
inline frac operator++(frac& a, int) { return a.postIncrement(); }
inline frac operator--(frac& a, int) { return a.postDecrement(); }
inline bool operator==(const frac& a, const frac& b) { return a.equals(b); }
inline std::strong_ordering operator<=>(const frac& a, const frac& b) { return a.compare(b) <=> 0; }

}  // namespace zarn
