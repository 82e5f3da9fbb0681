// frac's unary, integer-operand, comparison, assignment and conversion operations.
// Like the arithmetic between two fracs, each is exact or refused and changes nothing when
// refused.

#include "rational/exact.hpp"
#include "rational/frac.hpp"

namespace zarn {

frac frac::unaryPlus() const { return frac(*this); }

frac frac::unaryMinus() const { return changedCopy(&frac::mulAssignInteger, std::int64_t{-1}); }

frac frac::postIncrement() {
    frac old(*this);
    addAssignInteger(1);
    return old;
}

frac frac::postDecrement() {
    frac old(*this);
    subAssignInteger(1);
    return old;
}

frac frac::addInteger(std::int64_t k) const { return changedCopy(&frac::addAssignInteger, k); }
frac frac::subInteger(std::int64_t k) const { return changedCopy(&frac::subAssignInteger, k); }
frac frac::mulInteger(std::int64_t k) const { return changedCopy(&frac::mulAssignInteger, k); }
frac frac::divInteger(std::int64_t k) const { return changedCopy(&frac::divAssignInteger, k); }
frac frac::subReversed(std::int64_t k) const {
    frac result(k, 1);
    result.subAssign(*this);
    return result;
}
frac frac::divReversed(std::int64_t k) const {
    frac result(k, 1);
    result.divAssign(*this);
    return result;
}

bool frac::equals(const frac& other) const {
    requireDenominator();
    other.requireDenominator();
    return numerator_ == other.numerator_ && denominator_ == other.denominator_;
}

int frac::compare(const frac& other) const {
    requireDenominator();
    other.requireDenominator();
    return exact::compare(numerator_, denominator_, other.numerator_, other.denominator_);
}

int frac::opCmp(const Object* other) const {
    requireDenominator();
    const auto* value = dynamic_cast<const frac*>(other);
    if (value == nullptr) {
        throw Exception(std::string("frac.opCmp: cannot order a frac against ") +
                        (other == nullptr ? "no object" : "an object of another class"));
    }
    return compare(*value);
}

bool frac::equalsObject(const Object* other) const {
    requireDenominator();
    const auto* value = dynamic_cast<const frac*>(other);
    return value != nullptr && equals(*value);
}

// An integer step keeps a canonical value canonical: gcd(n + d*k, d) == gcd(n, d).
frac& frac::addAssignInteger(std::int64_t k) {
    assign(exact::shifted(numerator_, denominator_, k, false), canonical_);
    return *this;
}

frac& frac::subAssignInteger(std::int64_t k) {
    assign(exact::shifted(numerator_, denominator_, k, true), canonical_);
    return *this;
}

// k/1 is canonical.
frac& frac::mulAssignInteger(std::int64_t k) {
    return combine(k, 1, true, exact::canonicalProduct, exact::product, Ends::asOperands);
}

frac& frac::divAssignInteger(std::int64_t k) {
    return combine(k, 1, true, exact::canonicalQuotient, exact::quotient, Ends::asOperands);
}

void frac::assignInteger(std::int64_t k) { assign(k, 1, true); }

real frac::toReal() const {
    requireDenominator();
    return static_cast<real>(numerator_) / static_cast<real>(denominator_);
}

}  // namespace zarn
