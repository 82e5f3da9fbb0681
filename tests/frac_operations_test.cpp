// frac's unary, integer-operand, comparison, assignment and conversion operations, and the
// operators that forward onto them.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "rational/frac.hpp"
#include "tests/exact_reference.hpp"

namespace zarn {
namespace {

using namespace testing_support;

struct Fields {
    std::int64_t n, d;
};

void expectFields(const frac& value, Fields expected) {
    EXPECT_EQ(value.numerator(), expected.n);
    EXPECT_EQ(value.denominator(), expected.d);
}

TEST(FracUnary, negates_copies_and_steps_by_one) {
    expectFields(frac(3, 4).unaryMinus(), {-3, 4});
    expectFields(frac(0, 1).unaryMinus(), {0, 1});
    expectFields(frac(kMax, 1).unaryMinus(), {-kMax, 1});
    const frac half(1, 2);
    const frac copy = half.unaryPlus();
    EXPECT_NE(&copy, &half);
    expectFields(copy, {1, 2});

    frac value(1, 2);
    expectFields(value.postIncrement(), {1, 2});
    expectFields(value, {3, 2});
    frac zero;
    expectFields(zero.postDecrement(), {0, 1});
    expectFields(zero, {-1, 1});
}

TEST(FracUnary, refuses_steps_past_the_limits_and_keeps_the_value) {
    EXPECT_THROW(frac(kMin, 1).unaryMinus(), FracOverflowException);
    frac top(kMax, 1);
    EXPECT_THROW(top.postIncrement(), FracOverflowException);
    expectFields(top, {kMax, 1});
    frac bottom(kMin, 1);
    EXPECT_THROW(bottom.postDecrement(), FracOverflowException);
    expectFields(bottom, {kMin, 1});
    frac nearTop(kMax, 2);  // (2^63 - 1) / 2 + 1 needs a numerator of 2^63 + 1
    EXPECT_THROW(nearTop.postIncrement(), FracOverflowException);
    expectFields(nearTop, {kMax, 2});
}

enum class IntegerOp { Add, Sub, Mul, Div, SubReversed, DivReversed };

frac applyInteger(IntegerOp op, const frac& a, std::int64_t k) {
    switch (op) {
        case IntegerOp::Add: return a.addInteger(k);
        case IntegerOp::Sub: return a.subInteger(k);
        case IntegerOp::Mul: return a.mulInteger(k);
        case IntegerOp::Div: return a.divInteger(k);
        case IntegerOp::SubReversed: return a.subReversed(k);
        case IntegerOp::DivReversed: return a.divReversed(k);
    }
    return {};
}

// The in-place form where there is one; reversed operations have none.
bool applyIntegerInPlace(IntegerOp op, frac& a, std::int64_t k) {
    switch (op) {
        case IntegerOp::Add: a.addAssignInteger(k); return true;
        case IntegerOp::Sub: a.subAssignInteger(k); return true;
        case IntegerOp::Mul: a.mulAssignInteger(k); return true;
        case IntegerOp::Div: a.divAssignInteger(k); return true;
        default: return false;
    }
}

TEST(FracIntegerOperand, gives_new_values_in_place_and_reversed) {
    struct Case {
        IntegerOp op;
        Fields a;
        std::int64_t k;
        Fields expected;
    };
    const Case cases[] = {
        {IntegerOp::Add, {1, 3}, 2, {7, 3}},
        {IntegerOp::Sub, {1, 3}, 1, {-2, 3}},
        {IntegerOp::SubReversed, {1, 3}, 1, {2, 3}},
        {IntegerOp::DivReversed, {-2, 3}, 1, {-3, 2}},
        {IntegerOp::DivReversed, {5, 1}, 0, {0, 1}},
        {IntegerOp::Mul, {3, 4}, 2, {3, 2}},
        {IntegerOp::Mul, {3, 4}, -1, {-3, 4}},
        {IntegerOp::Mul, {-3, 4}, -1, {3, 4}},
        {IntegerOp::Mul, {3, 4}, 0, {0, 1}},
        {IntegerOp::Div, {3, 4}, -2, {-3, 8}},
        {IntegerOp::Div, {4, 9}, 6, {2, 27}},
        {IntegerOp::Div, {0, 1}, 5, {0, 1}},
        // Results that fit although a textbook product would not.
        {IntegerOp::Mul, {1, kMax}, kMax, {1, 1}},
        {IntegerOp::Div, {kMin, 1}, kMin, {1, 1}},
        {IntegerOp::Add, {-1, 1}, kMin + 1, {kMin, 1}},
        {IntegerOp::Sub, {-1, kMax}, -1, {kMax - 1, kMax}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "op " << static_cast<int>(c.op) << ": " << c.a.n << "/" << c.a.d
                                        << " with " << c.k);
        const frac a(c.a.n, c.a.d);
        expectFields(applyInteger(c.op, a, c.k), c.expected);
        expectFields(a, c.a);
        frac target = a;
        if (applyIntegerInPlace(c.op, target, c.k)) expectFields(target, c.expected);
    }
}

TEST(FracIntegerOperand, refuses_overflow_and_division_by_zero_without_change) {
    struct Case {
        IntegerOp op;
        Fields a;
        std::int64_t k;
        bool divisionByZero;
    };
    const Case cases[] = {
        {IntegerOp::Add, {kMax, 1}, 1, false},
        {IntegerOp::Sub, {kMin, 1}, 1, false},
        {IntegerOp::Mul, {kMin, 1}, -1, false},
        {IntegerOp::Mul, {2, 3}, kMax, false},
        {IntegerOp::Div, {kMin, 1}, -1, false},
        {IntegerOp::Div, {1, 2}, kMax, false},
        {IntegerOp::SubReversed, {kMin, 1}, 0, false},
        {IntegerOp::DivReversed, {1, kMax}, 2, false},
        {IntegerOp::Div, {3, 4}, 0, true},
        {IntegerOp::DivReversed, {0, 1}, 3, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "op " << static_cast<int>(c.op) << ": " << c.a.n << "/" << c.a.d
                                        << " with " << c.k);
        const frac a(c.a.n, c.a.d);
        frac target = a;
        if (c.divisionByZero) {
            EXPECT_THROW(applyInteger(c.op, a, c.k), FracDivisionByZeroException);
            if (c.op == IntegerOp::Div) {
                EXPECT_THROW(applyIntegerInPlace(c.op, target, c.k), FracDivisionByZeroException);
            }
        } else {
            EXPECT_THROW(applyInteger(c.op, a, c.k), FracOverflowException);
            if (c.op != IntegerOp::SubReversed && c.op != IntegerOp::DivReversed) {
                EXPECT_THROW(applyIntegerInPlace(c.op, target, c.k), FracOverflowException);
            }
        }
        expectFields(target, c.a);
    }
}

TEST(FracComparison, orders_values_exactly_and_compares_fields) {
    struct Case {
        Fields a, b;
        int expected;
    };
    const Case cases[] = {
        {{1, 3}, {1, 2}, -1},
        {{-1, 3}, {-1, 2}, 1},
        {{2, 3}, {2, 3}, 0},
        // Cross products far beyond 64 bits: a wrapping comparison gets these wrong.
        {{kMax, kMax - 1}, {kMax - 1, kMax - 2}, -1},
        {{kMin, kMax}, {kMin + 1, kMax}, -1},
        {{kMax, 1}, {kMin, 1}, 1},
        {{1, kMax}, {0, 1}, 1},
        {{kMax - 1, kMax}, {kMax - 2, kMax - 1}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.a.n << "/" << c.a.d << " vs " << c.b.n << "/" << c.b.d);
        const frac a(c.a.n, c.a.d);
        const frac b(c.b.n, c.b.d);
        EXPECT_EQ(a.compare(b), c.expected);
        EXPECT_EQ(b.compare(a), -c.expected);
        EXPECT_EQ(a.opCmp(&b), c.expected);
        EXPECT_EQ(a.equals(b), c.expected == 0);
        EXPECT_EQ(a.equalsObject(&b), c.expected == 0);
        EXPECT_EQ((a <=> b) < 0, c.expected < 0);
        EXPECT_EQ(a == b, c.expected == 0);
    }
    frac raw(1, 2);
    const frac half(1, 2);
    raw.setNumerator(2);
    raw.setDenominator(4);
    EXPECT_FALSE(raw.equals(half));  // fields, not values
}

TEST(FracComparison, treats_objects_of_other_classes_soundly) {
    const frac half(1, 2);
    const Object plain;
    const Exception error("boom");
    EXPECT_FALSE(half.equalsObject(&plain));
    EXPECT_FALSE(half.equalsObject(&error));
    EXPECT_FALSE(half.equalsObject(nullptr));
    EXPECT_THROW(half.opCmp(&plain), Exception);
    EXPECT_THROW(half.opCmp(nullptr), Exception);
    const Object& asObject = half;
    EXPECT_TRUE(asObject.equalsObject(&half));
    EXPECT_EQ(asObject.toString(), "1/2");
}

TEST(FracAssignmentAndConversion, assigns_integers_and_converts_to_real) {
    frac value(3, 4);
    value.assignInteger(-7);
    expectFields(value, {-7, 1});
    value.assignInteger(kMin);
    expectFields(value, {kMin, 1});
    EXPECT_EQ(frac(-7, 2).toReal(), -3.5L);
    EXPECT_EQ(frac(1, 3).toReal(), 1.0L / 3.0L);
    EXPECT_EQ(frac(kMin, 1).toReal(), -9223372036854775808.0L);
}

TEST(FracOperators, forward_onto_the_named_operations) {
    const frac third(1, 3);
    expectFields(third + frac(1, 6), {1, 2});
    expectFields(third - 1, {-2, 3});
    expectFields(1 - third, {2, 3});
    expectFields(2 * third, {2, 3});
    expectFields(1 / frac(-2, 3), {-3, 2});
    expectFields(third / 2, {1, 6});
    expectFields(-third, {-1, 3});
    frac x(1, 2);
    x += 1;
    x *= frac(2, 3);
    x /= 2;
    x -= frac(1, 2);
    expectFields(x, {0, 1});
    expectFields(x++, {0, 1});
    expectFields(x--, {1, 1});
    EXPECT_TRUE(frac(1, 3) < frac(1, 2));
    EXPECT_TRUE(frac(2, 4) == frac(1, 2));
}

// A zero denominator (only the raw setters store one) is refused by every operation that reads
// the value, whichever operand holds it, and nothing changes; the setters store it, the getters
// and moves carry it, and assigning replaces it.
TEST(FracZeroDenominator, is_refused_by_every_operation_that_reads_the_value_in_either_position) {
    struct Reading {
        const char* name;
        void (*run)(frac& a, const frac& b);
        bool readsOperand;  // b is read too; else only a
    };
    const Reading readings[] = {
        {"add", [](frac& a, const frac& b) { (void)a.add(b); }, true},
        {"sub", [](frac& a, const frac& b) { (void)a.sub(b); }, true},
        {"mul", [](frac& a, const frac& b) { (void)a.mul(b); }, true},
        {"div", [](frac& a, const frac& b) { (void)a.div(b); }, true},
        {"addAssign", [](frac& a, const frac& b) { a.addAssign(b); }, true},
        {"subAssign", [](frac& a, const frac& b) { a.subAssign(b); }, true},
        {"mulAssign", [](frac& a, const frac& b) { a.mulAssign(b); }, true},
        {"divAssign", [](frac& a, const frac& b) { a.divAssign(b); }, true},
        {"compare", [](frac& a, const frac& b) { (void)a.compare(b); }, true},
        {"operator<=>", [](frac& a, const frac& b) { (void)(a <=> b); }, true},
        {"equals", [](frac& a, const frac& b) { (void)a.equals(b); }, true},
        {"operator==", [](frac& a, const frac& b) { (void)(a == b); }, true},
        {"opCmp", [](frac& a, const frac& b) { (void)a.opCmp(&b); }, true},
        {"equalsObject", [](frac& a, const frac& b) { (void)a.equalsObject(&b); }, true},
        {"addInteger", [](frac& a, const frac&) { (void)a.addInteger(2); }, false},
        {"subInteger", [](frac& a, const frac&) { (void)a.subInteger(2); }, false},
        {"mulInteger", [](frac& a, const frac&) { (void)a.mulInteger(2); }, false},
        {"divInteger", [](frac& a, const frac&) { (void)a.divInteger(2); }, false},
        {"subReversed", [](frac& a, const frac&) { (void)a.subReversed(2); }, false},
        {"divReversed", [](frac& a, const frac&) { (void)a.divReversed(2); }, false},
        {"addAssignInteger", [](frac& a, const frac&) { a.addAssignInteger(2); }, false},
        {"subAssignInteger", [](frac& a, const frac&) { a.subAssignInteger(2); }, false},
        {"mulAssignInteger", [](frac& a, const frac&) { a.mulAssignInteger(2); }, false},
        {"divAssignInteger", [](frac& a, const frac&) { a.divAssignInteger(2); }, false},
        {"unaryPlus", [](frac& a, const frac&) { (void)a.unaryPlus(); }, false},
        {"unaryMinus", [](frac& a, const frac&) { (void)a.unaryMinus(); }, false},
        {"postIncrement", [](frac& a, const frac&) { (void)a.postIncrement(); }, false},
        {"postDecrement", [](frac& a, const frac&) { (void)a.postDecrement(); }, false},
        {"compareReal", [](frac& a, const frac&) { (void)a.compareReal(0.5L); }, false},
        {"equalsReal", [](frac& a, const frac&) { (void)a.equalsReal(0.5L); }, false},
        {"toReal", [](frac& a, const frac&) { (void)a.toReal(); }, false},
        {"toString", [](frac& a, const frac&) { (void)a.toString(); }, false},
        {"toFractionString", [](frac& a, const frac&) { (void)a.toFractionString(); }, false},
        {"toDecimalString", [](frac& a, const frac&) { (void)a.toDecimalString(8); }, false},
        {"appendFractionString", [](frac& a, const frac&) { std::string out; a.appendFractionString(out); }, false},
        {"appendDecimalString", [](frac& a, const frac&) { std::string out; a.appendDecimalString(out, 8); }, false},
        {"copy", [](frac& a, const frac&) { const frac copy(a); }, false},
        {"copy assignment", [](frac& a, const frac&) { frac copy; copy = a; }, false},
        {"fixSign", [](frac& a, const frac&) { a.fixSign(); }, false},
        {"normalize", [](frac& a, const frac&) { a.normalize(); }, false},
    };
    const auto raw = [](std::int64_t n, std::int64_t d) {
        frac value;
        value.setNumerator(n);
        value.setDenominator(d);
        return value;
    };
    for (const std::int64_t n : {std::int64_t{1}, std::int64_t{0}, kMin}) {
        const frac zero = raw(n, 0);
        const frac fine(2, 5);
        for (const Reading& reading : readings) {
            SCOPED_TRACE(testing::Message() << reading.name << " with " << n << "/0");
            frac a = reference::rawCopy(zero);
            EXPECT_THROW(reading.run(a, fine), FracDivisionByZeroException);
            expectFields(a, {n, 0});
            if (reading.readsOperand) {
                a = fine;
                EXPECT_THROW(reading.run(a, zero), FracDivisionByZeroException);
                expectFields(a, {2, 5});
            }
        }
        frac moved(reference::rawCopy(zero));
        const frac carried(std::move(moved));
        expectFields(carried, {n, 0});
        frac replaced = reference::rawCopy(zero);
        replaced.assignInteger(3);
        expectFields(replaced.addInteger(1), {4, 1});
        replaced = reference::rawCopy(zero);
        replaced.assignText("1/2");
        expectFields(replaced.mulInteger(2), {1, 1});
        replaced = reference::rawCopy(zero);
        replaced.parse("3/6");
        expectFields(replaced.add(frac(1, 2)), {1, 1});
    }
}

enum class UnaryOp { Plus, Minus, PostIncrement, PostDecrement };

frac applyUnary(UnaryOp op, frac& a) {
    switch (op) {
        case UnaryOp::Plus: return a.unaryPlus();
        case UnaryOp::Minus: return a.unaryMinus();
        case UnaryOp::PostIncrement: return a.postIncrement();
        case UnaryOp::PostDecrement: return a.postDecrement();
    }
    return {};
}

// Operands with any fields, as in the arithmetic between two fracs: new values come from a
// canonical copy of this (the reversed ones from k/1), the in-place forms and the steps of the
// post-operations work on the fields as they stand, and the order is always the true one.
TEST(FracExactness, integer_and_unary_operations_give_their_algorithms_fields_and_comparison_the_true_order) {
    using namespace reference;
    std::mt19937_64 random(99);
    int refusals = 0;
    for (int i = 0; i < 40000; ++i) {
        const frac a = randomOperand(random);
        const std::int64_t k = randomInteger(random);
        const Pair x = pairOf(a);
        const mpz_class kz = toMpz(k);
        const auto op = static_cast<IntegerOp>(i % 6);
        SCOPED_TRACE(testing::Message() << text(x) << " op " << static_cast<int>(op) << " " << k);
        const auto expectedOf = [&](const Pair& p) -> Pair {
            switch (op) {
                case IntegerOp::Add: return shifted(p, kz);
                case IntegerOp::Sub: return shifted(p, -kz);
                case IntegerOp::Mul: return mulInteger(p, kz);
                case IntegerOp::Div: return divInteger(p, kz);
                case IntegerOp::SubReversed: return sum({kz, 1}, x, -1);
                case IntegerOp::DivReversed: return quotient({kz, 1}, x);
            }
            return {};
        };
        const std::string expected = outcomeOf([&] { return expectedOf(normalized(x)); });
        ASSERT_EQ(outcomeOf([&] { return applyInteger(op, a, k); }), expected);
        refusals += refused(expected);
        frac target = rawCopy(a);
        if (op != IntegerOp::SubReversed && op != IntegerOp::DivReversed) {  // the forms that have one
            const std::string inPlace = outcomeOf([&] { return expectedOf(x); });
            ASSERT_EQ(outcomeOf([&]() -> const frac& { return (applyIntegerInPlace(op, target, k), target); }), inPlace);
            if (refused(inPlace)) {
                ASSERT_EQ(text(target), text(x));
            }
        }

        // The returned value, and what a post-operation leaves in this.
        const auto unary = static_cast<UnaryOp>(i % 4);
        const int step = unary == UnaryOp::PostIncrement ? 1 : (unary == UnaryOp::PostDecrement ? -1 : 0);
        target = rawCopy(a);
        const std::string returned = outcomeOf([&] { return applyUnary(unary, target); });
        const std::string left = step == 0 ? text(x) : outcomeOf([&] { return shifted(x, step); });
        ASSERT_EQ(returned, outcomeOf([&] {
                      const Pair copy = normalized(x);
                      if (unary == UnaryOp::Minus) return normalized({-copy.n, copy.d});
                      if (refused(left)) shifted(x, step);  // throws the step's refusal
                      return copy;
                  }))
            << "unary " << static_cast<int>(unary);
        ASSERT_EQ(text(target), refused(returned) ? text(x) : left);

        const frac b = randomOperand(random);
        if (a.denominator() != 0 && b.denominator() != 0) {
            const int order = cmp(valueOf(x), valueOf(pairOf(b)));
            ASSERT_EQ(a.compare(b), order < 0 ? -1 : (order > 0 ? 1 : 0)) << text(pairOf(b));
        }
    }
    EXPECT_GT(refusals, 5000);
}

}  // namespace
}  // namespace zarn
