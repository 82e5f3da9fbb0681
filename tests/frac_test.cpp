// frac: canonical form, gcd, arithmetic, refusals, and exactness against GMP.

#include <gtest/gtest.h>

#include <limits>
#include <numeric>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "rational/exact.hpp"
#include "rational/frac.hpp"
#include "tests/exact_reference.hpp"

namespace zarn {
namespace {

using namespace testing_support;

struct Fields {
    std::int64_t n;
    std::int64_t d;
};

void expectFields(const frac& value, Fields expected) {
    EXPECT_EQ(value.numerator(), expected.n);
    EXPECT_EQ(value.denominator(), expected.d);
}

TEST(Gcd, follows_euclid_with_truncating_remainders_and_their_signs) {
    struct Case {
        std::int64_t x, y, expected;
    };
    const Case cases[] = {
        {4, -6, -2}, {-4, 6, 2}, {-1, 1, -1}, {1, -1, 1}, {0, -5, -5}, {5, 0, 5}, {0, 0, 0},
        {12, 18, 6}, {7, 13, 1},
        // -2^63 rem -1 must not fault.
        {-1, kMin, -1}, {kMin, -1, -1}, {kMin, kMin, kMin}, {kMin, 0, kMin}, {2, kMin, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(gcd(c.x, c.y), c.expected) << "gcd(" << c.x << ", " << c.y << ")";
    }
}

// The binary gcd behind every reduction, on magnitudes up to 2^63 (powers of two included).
TEST(Gcd, of_magnitudes_agrees_with_the_standard_library) {
    std::mt19937_64 random(63);
    for (int i = 0; i < 100000; ++i) {
        const auto draw = [&random]() -> std::uint64_t {
            if (random() % 16 == 0) return std::uint64_t{1} << (random() % 64);
            return exact::magnitude(randomInteger(random)) * (random() % 8 == 0 ? random() % 1000 : 1);
        };
        const std::uint64_t x = draw() >> (random() % 4 == 0 ? 1 : 0);
        const std::uint64_t y = draw();
        if (x > exact::maxMagnitude || y > exact::maxMagnitude) continue;
        ASSERT_EQ(exact::gcdOf(x, y), std::gcd(x, y)) << x << ", " << y;
    }
}

TEST(FracConstruction, brings_every_pair_to_canonical_form) {
    struct Case {
        std::int64_t n, d;
        Fields expected;
    };
    const Case cases[] = {
        {6, -4, {-3, 2}},     {-6, -4, {3, 2}},   {0, -5, {0, 1}},       {7, 7, {1, 1}},
        {kMin, 2, {kMin / 2, 1}}, {kMin, kMin, {1, 1}}, {kMax, -kMax, {-1, 1}}, {kMin, 1, {kMin, 1}},
        {1, kMin + 1, {-1, kMax}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.n << "/" << c.d);
        expectFields(frac(c.n, c.d), c.expected);
    }
    expectFields(frac(), {0, 1});
}

TEST(FracConstruction, refuses_what_has_no_value_or_does_not_fit) {
    EXPECT_THROW(frac(1, 0), FracDivisionByZeroException);
    EXPECT_THROW(frac(0, 0), FracDivisionByZeroException);
    // 2^63 has no 64-bit numerator.
    EXPECT_THROW(frac(kMin, -1), FracOverflowException);
    EXPECT_THROW(frac(1, kMin), FracOverflowException);
}

TEST(FracConstruction, copies_are_canonical_and_raw_setters_are_not_normalised) {
    frac raw;
    raw.setNumerator(150);
    raw.setDenominator(-100);
    expectFields(raw, {150, -100});
    expectFields(frac(raw), {-3, 2});
    frac assigned(5, 1);
    assigned = raw;
    expectFields(assigned, {-3, 2});
    raw.fixSign();
    expectFields(raw, {-150, 100});
    raw.normalize();
    expectFields(raw, {-3, 2});
}

TEST(FracConstruction, fix_sign_and_normalize_refuse_a_negation_of_the_most_negative_value) {
    frac value;
    value.setNumerator(kMin);
    value.setDenominator(-1);
    EXPECT_THROW(value.fixSign(), FracOverflowException);
    EXPECT_THROW(value.normalize(), FracOverflowException);
    expectFields(value, {kMin, -1});
    value.setNumerator(0);
    value.setDenominator(-5);
    expectFields(value.normalize(), {0, 1});  // zero is 0/1 whatever the denominator was
}

enum class Op { Add, Sub, Mul, Div };

frac apply(Op op, const frac& a, const frac& b) {
    switch (op) {
        case Op::Add: return a.add(b);
        case Op::Sub: return a.sub(b);
        case Op::Mul: return a.mul(b);
        case Op::Div: return a.div(b);
    }
    return {};
}

frac& applyInPlace(Op op, frac& a, const frac& b) {
    switch (op) {
        case Op::Add: return a.addAssign(b);
        case Op::Sub: return a.subAssign(b);
        case Op::Mul: return a.mulAssign(b);
        case Op::Div: return a.divAssign(b);
    }
    return a;
}

struct ArithmeticCase {
    Op op;
    Fields a, b, expected;
};

const ArithmeticCase kArithmetic[] = {
    {Op::Add, {1, 6}, {1, 3}, {1, 2}},
    {Op::Sub, {1, 2}, {1, 2}, {0, 1}},
    {Op::Add, {1, 2}, {1, 3}, {5, 6}},
    {Op::Mul, {2, 3}, {3, 4}, {1, 2}},
    {Op::Mul, {-1, 1}, {1, 1}, {-1, 1}},
    {Op::Mul, {-5, 6}, {-1, 1}, {5, 6}},
    {Op::Mul, {3, 4}, {-1, 1}, {-3, 4}},
    {Op::Div, {1, 2}, {-1, 4}, {-2, 1}},
    {Op::Div, {0, 1}, {5, 1}, {0, 1}},
    {Op::Div, {3, 1}, {3, 1}, {1, 1}},
    // Results that fit although the textbook cross products do not.
    {Op::Add, {kMax, 2}, {-kMax, 2}, {0, 1}},
    {Op::Sub, {kMin, 1}, {kMin, 1}, {0, 1}},
    {Op::Mul, {kMin, 3}, {3, kMax}, {kMin, kMax}},
    {Op::Div, {kMin, 1}, {kMin, 1}, {1, 1}},
    {Op::Add, {1, kMax}, {-1, kMax}, {0, 1}},
    {Op::Add, {kMin + 1, 1}, {-1, 1}, {kMin, 1}},
    {Op::Sub, {-1, 1}, {kMax, 1}, {kMin, 1}},
    {Op::Div, {kMin, 1}, {2, 1}, {kMin / 2, 1}},
};

TEST(FracArithmetic, gives_canonical_results_in_both_forms) {
    for (const ArithmeticCase& c : kArithmetic) {
        SCOPED_TRACE(testing::Message() << "op " << static_cast<int>(c.op) << ": " << c.a.n << "/" << c.a.d
                                        << " with " << c.b.n << "/" << c.b.d);
        const frac a(c.a.n, c.a.d);
        const frac b(c.b.n, c.b.d);
        expectFields(apply(c.op, a, b), c.expected);
        expectFields(a, c.a);  // operands unchanged
        expectFields(b, c.b);
        frac target = a;
        frac& returned = applyInPlace(c.op, target, b);
        EXPECT_EQ(&returned, &target);
        expectFields(target, c.expected);
    }
}

TEST(FracArithmetic, takes_fields_as_parse_and_the_setters_leave_them) {
    struct Case {
        std::string text;  // read by parse alone, not normalised
        Op op;
        Fields b, expected, expectedInPlace;
    };
    const Case cases[] = {
        {"1.50", Op::Add, {1, 2}, {2, 1}, {2, 1}},
        {"4611686018427387904/4611686018427387904", Op::Add, {1, 3}, {4, 3}, {4, 3}},
        {"-4/6", Op::Sub, {-1, 3}, {-1, 3}, {-1, 3}},
        {"0/5", Op::Mul, {1, 1}, {0, 1}, {0, 5}},
        {"2/4", Op::Mul, {3, 1}, {3, 2}, {6, 4}},
        {"2/4", Op::Div, {1, 2}, {1, 1}, {2, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << " op " << static_cast<int>(c.op));
        frac a;
        a.parse(c.text);
        const frac b(c.b.n, c.b.d);
        expectFields(apply(c.op, a, b), c.expected);
        expectFields(applyInPlace(c.op, a, b), c.expectedInPlace);
    }
}

TEST(FracArithmetic, combines_an_instance_with_itself) {
    frac third(1, 3);
    expectFields(third.addAssign(third), {2, 3});
    frac square(-2, 3);
    expectFields(square.mulAssign(square), {4, 9});
    frac one(-7, 5);
    expectFields(one.divAssign(one), {1, 1});
    frac zero(-7, 5);
    expectFields(zero.subAssign(zero), {0, 1});
}

TEST(FracArithmetic, refuses_results_that_do_not_fit_and_changes_nothing) {
    const ArithmeticCase cases[] = {
        {Op::Add, {std::int64_t{1} << 62, 1}, {std::int64_t{1} << 62, 1}, {}},
        {Op::Sub, {kMin, 1}, {1, 1}, {}},
        {Op::Sub, {0, 1}, {kMin, 1}, {}},
        {Op::Mul, {kMin, 1}, {-1, 1}, {}},
        {Op::Div, {kMin, 1}, {-1, 1}, {}},
        {Op::Mul, {std::int64_t{1} << 32, 1}, {std::int64_t{1} << 31, 1}, {}},
        {Op::Add, {1, kMax}, {1, kMax - 1}, {}},  // denominator kMax * (kMax - 1)
        {Op::Div, {1, kMax}, {2, 1}, {}},
    };
    for (const ArithmeticCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "op " << static_cast<int>(c.op) << ": " << c.a.n << "/" << c.a.d
                                        << " with " << c.b.n << "/" << c.b.d);
        const frac a(c.a.n, c.a.d);
        const frac b(c.b.n, c.b.d);
        EXPECT_THROW(apply(c.op, a, b), FracOverflowException);
        frac target = a;
        EXPECT_THROW(applyInPlace(c.op, target, b), FracOverflowException);
        expectFields(target, c.a);
        expectFields(b, c.b);
    }
}

TEST(FracArithmetic, refuses_division_by_zero_and_zero_denominators) {
    frac value(3, 4);
    EXPECT_THROW(value.div(frac()), FracDivisionByZeroException);
    EXPECT_THROW(value.divAssign(frac()), FracDivisionByZeroException);
    expectFields(value, {3, 4});
    frac broken;
    broken.setNumerator(1);
    broken.setDenominator(0);
    for (const Op op : {Op::Add, Op::Sub, Op::Mul, Op::Div}) {
        EXPECT_THROW(apply(op, value, broken), FracDivisionByZeroException);
    }
}

TEST(FracRealComparison, tests_sign_zero_and_halves_exactly) {
    EXPECT_TRUE(frac(0, 1).equalsReal(0));
    EXPECT_FALSE(frac(1, kMax).equalsReal(0));
    EXPECT_FALSE(frac(kMin, 1).equalsReal(0));
    EXPECT_EQ(frac(-1, 2).compareReal(0), -1);
    EXPECT_EQ(frac(0, 1).compareReal(0), 0);
    EXPECT_EQ(frac(1, 2).compareReal(0), 1);
    EXPECT_EQ(frac(1, 2).compareReal(0.5L), 0);
    EXPECT_TRUE(frac(1, 2).equalsReal(0.5L));
    EXPECT_EQ(frac(kMin, kMax).compareReal(0), -1);
    const real nan = std::numeric_limits<real>::quiet_NaN();
    EXPECT_EQ(frac(1, 2).compareReal(nan), 0);
    EXPECT_FALSE(frac(1, 2).equalsReal(nan));
}

reference::Pair referenceOf(Op op, const reference::Pair& x, const reference::Pair& y) {
    switch (op) {
        case Op::Add: return reference::sum(x, y);
        case Op::Sub: return reference::sum(x, y, -1);
        case Op::Mul: return reference::product(x, y);
        case Op::Div: return reference::quotient(x, y);
    }
    return {};
}

// Operands with any fields: each operation gives exactly the fields of its algorithm carried out
// without bounds (the new-value forms on a canonical copy of this), and is refused exactly when
// such a field does not fit; a refusal changes nothing.
TEST(FracExactness, every_operation_gives_its_algorithms_fields_or_refuses_exactly_when_one_does_not_fit) {
    using reference::outcomeOf;
    std::mt19937_64 random(20261207);
    int refused = 0;
    int exact = 0;
    for (int i = 0; i < 60000; ++i) {
        const frac a = randomOperand(random);
        const frac b = randomOperand(random);
        const Op op = static_cast<Op>(i % 4);
        const reference::Pair x = reference::pairOf(a);
        const reference::Pair y = reference::pairOf(b);
        SCOPED_TRACE(testing::Message() << reference::text(x) << " op " << static_cast<int>(op) << " "
                                        << reference::text(y));
        ASSERT_EQ(outcomeOf([&] { return apply(op, a, b); }),
                  outcomeOf([&] { return referenceOf(op, reference::normalized(x), y); }));
        frac target = reference::rawCopy(a);
        const std::string expected = outcomeOf([&] { return referenceOf(op, x, y); });
        ASSERT_EQ(outcomeOf([&]() -> const frac& { return applyInPlace(op, target, b); }), expected);
        if (expected.find('/') == std::string::npos) {
            ASSERT_EQ(reference::text(target), reference::text(x));
            ++refused;
        } else {
            ++exact;
        }
    }
    // Both outcomes must be well represented for the comparison to mean anything.
    EXPECT_GT(exact, 4000);
    EXPECT_GT(refused, 20000);
}

// Canonical operands built to cancel: y takes x to z (y = z - x, x - z, z / x or x / z for
// random canonical x and z), so x op y is z, reached through cancellations the operands above
// seldom meet: a sum in lowest terms only after its last division, fields that fit only after
// cancelling. Both orders and both forms give the fields of the textbook algorithm.
TEST(FracExactness, canonical_operands_whose_results_cancel_give_their_algorithms_fields) {
    using reference::outcomeOf;
    std::mt19937_64 random(31);
    int checked = 0;
    for (int i = 0; i < 40000; ++i) {
        const frac x = randomFrac(random);
        const frac z = randomFrac(random);
        const Op op = static_cast<Op>(i % 4);
        const mpq_class xq = toMpq(x), zq = toMpq(z);
        if ((op == Op::Mul && xq == 0) || (op == Op::Div && zq == 0)) continue;
        const mpq_class yq = op == Op::Add ? mpq_class(zq - xq)
                             : op == Op::Sub ? mpq_class(xq - zq)
                             : op == Op::Mul ? mpq_class(zq / xq)
                                             : mpq_class(xq / zq);
        if (!fits(yq)) continue;
        const frac y(yq.get_num().get_si(), yq.get_den().get_si());
        for (const auto& [a, b] : {std::pair{x, y}, std::pair{y, x}}) {
            SCOPED_TRACE(testing::Message() << reference::text(a) << " op " << static_cast<int>(op) << " "
                                            << reference::text(b));
            const std::string expected =
                outcomeOf([&] { return referenceOf(op, reference::pairOf(a), reference::pairOf(b)); });
            ASSERT_EQ(outcomeOf([&] { return apply(op, a, b); }), expected);
            frac target = a;
            ASSERT_EQ(outcomeOf([&]() -> const frac& { return applyInPlace(op, target, b); }), expected);
        }
        ++checked;
    }
    EXPECT_GT(checked, 3000);
}

// Everything that gives a value, on a raw copy of a (which it may change), b and an integer k,
// beside its exact value on the same names as unbounded rationals.
struct ValueOperation {
    const char* name;
    frac (*run)(frac& a, const frac& b, std::int64_t k);
    mpq_class (*exact)(const mpq_class& a, const mpq_class& b, const mpq_class& k);
};

// The operation and its exact value, written once each on the names a, b and k.
#define ZARN_VALUE_OPERATION(run, exact)                                                          \
    ValueOperation{#run,                                                                          \
                   [](frac& a, [[maybe_unused]] const frac& b, [[maybe_unused]] std::int64_t k) -> frac { \
                       return run;                                                                \
                   },                                                                             \
                   [](const mpq_class& a, const mpq_class& b, const mpq_class& k) -> mpq_class { \
                       static_cast<void>(a), static_cast<void>(b), static_cast<void>(k);          \
                       return exact;                                                              \
                   }}

const ValueOperation kValueOperations[] = {
    ZARN_VALUE_OPERATION(a.add(b), a + b),
    ZARN_VALUE_OPERATION(a.sub(b), a - b),
    ZARN_VALUE_OPERATION(a.mul(b), a * b),
    ZARN_VALUE_OPERATION(a.div(b), a / b),
    ZARN_VALUE_OPERATION(std::move(a.addAssign(b)), a + b),
    ZARN_VALUE_OPERATION(std::move(a.subAssign(b)), a - b),
    ZARN_VALUE_OPERATION(std::move(a.mulAssign(b)), a * b),
    ZARN_VALUE_OPERATION(std::move(a.divAssign(b)), a / b),
    ZARN_VALUE_OPERATION(a.addInteger(k), a + k),
    ZARN_VALUE_OPERATION(a.subInteger(k), a - k),
    ZARN_VALUE_OPERATION(a.mulInteger(k), a * k),
    ZARN_VALUE_OPERATION(a.divInteger(k), a / k),
    ZARN_VALUE_OPERATION(a.subReversed(k), k - a),
    ZARN_VALUE_OPERATION(a.divReversed(k), k / a),
    ZARN_VALUE_OPERATION(std::move(a.addAssignInteger(k)), a + k),
    ZARN_VALUE_OPERATION(std::move(a.subAssignInteger(k)), a - k),
    ZARN_VALUE_OPERATION(std::move(a.mulAssignInteger(k)), a * k),
    ZARN_VALUE_OPERATION(std::move(a.divAssignInteger(k)), a / k),
    ZARN_VALUE_OPERATION(a.unaryPlus(), a),
    ZARN_VALUE_OPERATION(a.unaryMinus(), -a),
    ZARN_VALUE_OPERATION(a.postIncrement(), a),
    ZARN_VALUE_OPERATION((a.postIncrement(), std::move(a)), a + 1),
    ZARN_VALUE_OPERATION(a.postDecrement(), a),
    ZARN_VALUE_OPERATION((a.postDecrement(), std::move(a)), a - 1),
    ZARN_VALUE_OPERATION(std::move(a.fixSign()), a),
    ZARN_VALUE_OPERATION(std::move(a.normalize()), a),
    ZARN_VALUE_OPERATION(std::move(a.parse(std::to_string(k) + "/6")), k / 6),
    ZARN_VALUE_OPERATION(std::move(a.parse(std::to_string(k) + ".0")), k),
    ZARN_VALUE_OPERATION((a.assignText(std::to_string(k) + "/6"), std::move(a)), k / 6),
    ZARN_VALUE_OPERATION((a.assignInteger(k), std::move(a)), k),
};

#undef ZARN_VALUE_OPERATION

// Whether a value is canonical is known, not recomputed: a copy normalises only what may not be.
// So a result wrongly known as canonical shows in its copy, which must hold the exact value in
// lowest terms (raw 2/4 plus 1 is 6/4, whose copy is 3/2), or be refused when that does not fit.
// The operands are raw, as parse and the setters leave them (common factors, negative
// denominators), and k is small or of any size.
TEST(FracCanonicalForm, a_copy_of_any_result_on_raw_operands_holds_its_value_in_lowest_terms) {
    using reference::outcomeOf;
    std::mt19937_64 random(23);
    int reduced = 0;  // results not in lowest terms before the copy
    for (int i = 0; i < 4000; ++i) {
        const frac a = randomOperand(random);
        const frac b = randomOperand(random);
        if (a.denominator() == 0 || b.denominator() == 0) continue;
        const std::int64_t k = random() % 2 ? static_cast<std::int64_t>(random() % 13) - 6 : randomInteger(random);
        const mpq_class x = toMpq(a), y = toMpq(b), z(toMpz(k));
        for (const ValueOperation& operation : kValueOperations) {
            frac target = reference::rawCopy(a);
            std::optional<frac> result;  // moved into, so whatever it knows of itself stays
            try {
                result.emplace(operation.run(target, b, k));
            } catch (const FracOverflowException&) {
            } catch (const FracDivisionByZeroException&) {
            }
            if (!result) continue;  // refusals are the tests' above
            const mpq_class exact = operation.exact(x, y, z);
            reduced += !holdsExactly(*result, exact);
            ASSERT_EQ(outcomeOf([&] { return frac(*result); }),
                      fits(exact) ? exact.get_num().get_str() + "/" + exact.get_den().get_str() : "frac.overflow")
                << operation.name << " with a = " << reference::text(a) << ", b = " << reference::text(b)
                << ", k = " << k;
        }
    }
    EXPECT_GT(reduced, 5000);
}

}  // namespace
}  // namespace zarn
