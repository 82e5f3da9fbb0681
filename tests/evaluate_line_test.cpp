// evaluateLine: results, division-by-zero cuts, refusals, and the round trip of rendered lines;
// evaluateLineInFull: the refused token and the cut, told.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include "evaluator/evaluate_line.hpp"
#include "evaluator/scanner.hpp"
#include "rational/frac.hpp"
#include "tests/heap_in_use.hpp"

namespace zarn {
namespace {

struct Case {
    std::string line;
    std::string result;
};

TEST(EvaluateLine, runs_postfix_programs_and_writes_the_stack_back) {
    const Case cases[] = {
        {"1 2 +", "3"},
        {"1 2 3", "1 2 3"},
        {"1 3 /", "(1/3)"},
        {"1 3 / 2 *", "(2/3)"},
        {"(1/3) (1/6) +", "(1/2)"},
        {"0.5 0.25 +", "(3/4)"},
        {"3 5 -", "(-2)"},
        {"8 2 /", "4"},
        {"1 2 + 3 /", "1"},
        {"(-2/7) (-5)", "(-2/7) (-5)"},
        {"(-5) (-2/7) *", "(10/7)"},
        {"9223372036854775807 (-9223372036854775808)", "9223372036854775807 (-9223372036854775808)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(evaluateLine(c.line, ConvTo::Fraction), c.result) << c.line;
    }
}

TEST(EvaluateLine, makes_up_missing_operands_with_zero) {
    const Case cases[] = {
        {"5 -", "(-5)"}, {"2 /", "0"}, {"+", "0"}, {"5 -3", "(-5) 3"}, {"1/3", "0 3"}, {"(-1/3", "0 3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(evaluateLine(c.line, ConvTo::Fraction), c.result) << c.line;
    }
}

TEST(EvaluateLine, reads_numbers_in_every_form_and_skips_what_is_no_token) {
    const Case cases[] = {
        {"(2/4)", "(1/2)"}, {"(4/2)", "2"},     {"(5)", "5"},           {"(-0)", "0"},
        {"2.50", "(5/2)"},  {".5", "(1/2)"},    {"007", "7"},           {"3.", "3"},
        {"1.2.3", "(6/5) (3/10)"},              {"abc 1x2y+", "3"},     {"1,2", "1 2"},
        {"(1 2 +", "3"},    {"", ""},           {" \t ", ""},           {"abc", ""},
        {"0.33333333", "(33333333/100000000)"}, {"1\xC3\xA9" "2 +", "3"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(evaluateLine(c.line, ConvTo::Fraction), c.result) << c.line;
    }
}

TEST(EvaluateLine, cuts_the_line_before_the_last_token_on_division_by_zero) {
    const Case cases[] = {
        {"1 0 /", "1 "},
        {"0 /", ""},
        {"/", ""},
        {"1 0 / 5 6 +", "1 "},
        {"1 2 2 - /", "1 2 2 "},
        {"abc 1 0 /", "abc 1 "},
        {"  1 0 /", "1 "},
        {"x0 /", "x"},
        {"1 1 - 2 0 / (1/0)", "1 1 - 2 "},  // nothing after the stop is read, not even a bad number
    };
    for (const Case& c : cases) {
        EXPECT_EQ(evaluateLine(c.line, ConvTo::Fraction), c.result) << c.line;
    }
}

TEST(EvaluateLine, writes_decimals_cut_after_eight_digits) {
    const Case cases[] = {
        {"1 2 - 2 /", "(-0.5)"},
        {"1 4 /", "0.25"},
        {"6", "6"},
        {"0 1 1000000000 / -", "(-0.00000000)"},
        {"22 7 /", "3.14285714"},
        {"(-9223372036854775808)", "(-9223372036854775808)"},
        {"1 9223372036854775807 /", "0.00000000"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(evaluateLine(c.line, ConvTo::Decimal), c.result) << c.line;
    }
}

TEST(EvaluateLine, refuses_numbers_it_cannot_read_and_results_that_do_not_fit) {
    const std::string unreadable[] = {
        "(1/0)", "(0/00)", "1 (5/0) +", "9223372036854775808", "(-9223372036854775809)",
        "0.0000000000000000001", "(1/9223372036854775808)", std::string(1000, '9'),
    };
    for (const std::string& line : unreadable) {
        EXPECT_THROW(evaluateLine(line, ConvTo::Fraction), FracParseException) << line;
    }
    const std::string unrepresentable[] = {
        "4611686018427387904 4611686018427387904 +",
        "(-9223372036854775808) 1 -",
        "(-9223372036854775808) (-1) /",
        "0 (-9223372036854775808) -",
        "(1/9223372036854775807) (1/9223372036854775806) +",
        "4294967296 4294967296 *",
    };
    for (const std::string& line : unrepresentable) {
        EXPECT_THROW(evaluateLine(line, ConvTo::Fraction), FracOverflowException) << line;
        EXPECT_THROW(evaluateLine(line, ConvTo::Decimal), FracOverflowException) << line;
    }
}

TEST(EvaluateLineInFull, names_the_refused_token_in_the_line_as_given_and_why) {
    struct Refused {
        std::string line;
        Refusal refusal;
    };
    using enum RefusalCause;
    const Refused cases[] = {
        {"(1/0)", {0, 5, ZeroDenominator}},
        {"  1 (5/00) +", {4, 6, ZeroDenominator}},
        {"\t 9223372036854775808 1 +", {2, 19, TooLarge}},
        {"\t1 (1/9223372036854775808) +", {3, 23, TooLarge}},
        {"0.0000000000000000001", {0, 21, TooLarge}},
        {"1 000123456789012345678901234567890123456789 +", {2, 42, TooManyDigits}},
        {"4611686018427387904 4611686018427387904 +", {40, 1, ResultTooLarge}},
        {" (-9223372036854775808) (-1) /", {29, 1, ResultTooLarge}},
        {"1 2 + 4294967296 4294967296 * x", {28, 1, ResultTooLarge}},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.line);
        const Evaluation evaluation = evaluateLineInFull(c.line, ConvTo::Fraction);
        EXPECT_EQ(evaluation.refusal, c.refusal);
        EXPECT_EQ(evaluation.line, "");
        EXPECT_FALSE(evaluation.cut.has_value());
        try {
            evaluateLine(c.line, ConvTo::Decimal);
            ADD_FAILURE() << "not refused";
        } catch (const Exception& refused) {
            EXPECT_EQ(refused.message(), refusalId(c.refusal.cause));
        }
    }
}

TEST(EvaluateLineInFull, tells_where_a_division_by_zero_cut_the_line) {
    struct Cut {
        std::string line;
        std::string result;
        DivisionCut cut;
    };
    const Cut cases[] = {
        {"1 0 /", "1 ", {2, 4}},
        {"  1 0 /", "1 ", {4, 6}},
        {"/", "", {0, 0}},
        {" \t/ 1", "", {2, 2}},
        {"1 2 2 - /", "1 2 2 ", {6, 8}},
        {"abc 1 0 / 5 6 +", "abc 1 ", {6, 8}},
        {"1 1 - 2 0 / (1/0)", "1 1 - 2 ", {8, 10}},
    };
    for (const Cut& c : cases) {
        SCOPED_TRACE(c.line);
        const Evaluation evaluation = evaluateLineInFull(c.line, ConvTo::Fraction);
        EXPECT_EQ(evaluation.line, c.result);
        EXPECT_EQ(evaluation.cut, c.cut);
        EXPECT_FALSE(evaluation.refusal.has_value());
    }
    EXPECT_FALSE(evaluateLineInFull("1 0 - 1 /", ConvTo::Fraction).cut.has_value());
}

// Random programs over the notation's tokens, with values small and near the 64-bit limits.
std::string randomLine(std::mt19937_64& random) {
    static const char* const pieces[] = {
        "+", "-", "*", "/", "0", "1", "2", "3", "7", "12", "0.5", ".25", "(1/3)", "(-2/7)", "(-5)", "(2/4)",
        "(-0.125)", "4294967296", "(1/4294967295)", "9223372036854775807", "(-9223372036854775808)",
        "x", "(", ",",
    };
    std::string line;
    const std::size_t count = random() % 16;
    for (std::size_t i = 0; i < count; ++i) {
        line += pieces[random() % std::size(pieces)];
        line += random() % 4 ? " " : "";
    }
    return line;
}

TEST(EvaluateLine, every_rendered_line_evaluates_to_itself) {
    std::mt19937_64 random(11);
    int rendered = 0;
    for (int i = 0; i < 50000; ++i) {
        const std::string line = randomLine(random);
        const Evaluation evaluation = evaluateLineInFull(line, ConvTo::Fraction);
        // Refused (digits run together past 64 bits, or a result that does not fit), or cut by a
        // division by zero, which leaves raw input.
        if (evaluation.refusal || evaluation.cut) continue;
        ASSERT_EQ(evaluateLine(evaluation.line, ConvTo::Fraction), evaluation.line) << "from: \"" << line << "\"";
        ++rendered;
    }
    EXPECT_GT(rendered, 35000);
}

// What a value written in Decimal mode reads back as, in Fraction mode, from its digits alone:
// [(][-]digits[.digits][)] is n / 10^k, brought to lowest terms in 128 bits (the written forms
// have at most 27 digits); "" when the value does not fit 64-bit fields.
std::string decimalReadBack(std::string_view token) {
    __extension__ typedef unsigned __int128 Wide;
    const bool negative = token.starts_with("(-");
    if (token.front() == '(') token = token.substr(negative ? 2 : 1, token.size() - (negative ? 3 : 2));
    Wide n = 0;
    Wide d = 1;
    bool afterPoint = false;
    for (const char c : token) {
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        n = n * 10 + static_cast<unsigned>(c - '0');
        if (afterPoint) d *= 10;
    }
    Wide a = n;
    Wide b = d;
    while (b != 0) a = std::exchange(b, a % b);
    n /= a;
    d /= a;
    const Wide limit = (Wide{1} << 63) - (negative ? 0 : 1);
    if (n > limit || d > limit) return "";
    const auto text = [](Wide v) { return std::to_string(static_cast<unsigned long long>(v)); };
    const bool belowZero = negative && n != 0;  // -0.00000000 reads as 0
    const std::string value = (belowZero ? "-" : "") + text(n) + (d == 1 ? "" : "/" + text(d));
    return belowZero || d != 1 ? "(" + value + ")" : value;
}

TEST(EvaluateLine, every_line_written_in_decimal_mode_reads_back_by_the_value_of_its_digits) {
    std::mt19937_64 random(13);
    int read = 0;
    int refused = 0;
    for (int i = 0; i < 50000; ++i) {
        const std::string line = randomLine(random) + " 9223372036854775807 " + std::to_string(random() % 12 + 1) + " /";
        const Evaluation evaluation = evaluateLineInFull(line, ConvTo::Decimal);
        if (evaluation.refusal || evaluation.cut) continue;
        const std::string& decimal = evaluation.line;
        std::string expected;
        bool fits = true;
        for (std::size_t start = 0; start < decimal.size();) {
            const std::size_t end = std::min(decimal.find(' ', start), decimal.size());
            const std::string value = decimalReadBack(std::string_view(decimal).substr(start, end - start));
            fits = fits && !value.empty();
            expected += (start == 0 ? "" : " ") + value;
            start = end + 1;
        }
        SCOPED_TRACE("decimal line: \"" + decimal + "\"");
        if (fits) {
            ASSERT_EQ(evaluateLine(decimal, ConvTo::Fraction), expected);
            ++read;
        } else {
            ASSERT_THROW(evaluateLine(decimal, ConvTo::Fraction), FracParseException);
            ++refused;
        }
    }
    EXPECT_GT(read, 5000);
    EXPECT_GT(refused, 5000);
}

TEST(EvaluateLineInFull, agrees_with_evaluateLine_and_points_at_tokens_of_the_line) {
    std::mt19937_64 random(5);
    int refused = 0, cut = 0;
    for (int i = 0; i < 20000; ++i) {
        const std::string line = std::string(random() % 3, ' ') + randomLine(random);
        SCOPED_TRACE("line: \"" + line + "\"");
        const Evaluation evaluation = evaluateLineInFull(line, ConvTo::Fraction);
        std::string result, thrown;
        try {
            result = evaluateLine(line, ConvTo::Fraction);
        } catch (const Exception& error) {
            thrown = error.message();
        }
        ASSERT_EQ(evaluation.line, result);
        if (evaluation.refusal) {
            ++refused;
            ASSERT_EQ(thrown, refusalId(evaluation.refusal->cause));
            const Token token = findToken(line, evaluation.refusal->offset);
            ASSERT_EQ(token.start, evaluation.refusal->offset);
            ASSERT_EQ(token.length, evaluation.refusal->length);
        } else {
            ASSERT_EQ(thrown, "");
        }
        if (evaluation.cut) {
            ++cut;
            const std::size_t lineStart = line.find_first_not_of(' ');
            ASSERT_EQ(line.substr(lineStart, evaluation.cut->cutOffset - lineStart), result);
            ASSERT_EQ(line[evaluation.cut->divisionOffset], '/');
        }
    }
    EXPECT_GT(refused, 1000);
    EXPECT_GT(cut, 1000);
}

TEST(EvaluateLine, survives_lines_of_a_million_characters) {
    EXPECT_THROW(evaluateLine(std::string(1000000, '1'), ConvTo::Fraction), FracParseException);
    EXPECT_EQ(evaluateLine(std::string(1000000, '.'), ConvTo::Fraction), "");
    EXPECT_EQ(evaluateLine(std::string(1000000, '('), ConvTo::Fraction), "");

    std::string sums;
    while (sums.size() < 1000000) sums += "1 2 + ";
    EXPECT_EQ(evaluateLine(sums, ConvTo::Fraction).size(), 2 * (sums.size() / 6) - 1);

    std::string stack;
    while (stack.size() < 1000000) stack += "(1/3) ";
    std::string thirds;
    while (thirds.size() + 1 < stack.size()) thirds += "(1/3) ";
    thirds.pop_back();
    EXPECT_EQ(evaluateLine(stack, ConvTo::Fraction), thirds);

    std::string divisions(1000000, '/');
    EXPECT_EQ(evaluateLine(divisions, ConvTo::Fraction), "");
}

using testing_support::heapInUse;

// The stack's storage is kept between evaluations only up to a bound: after a 10 MB line and
// then small ones, at most 16 MB more is held than before it (without the bound, 160 MB).
TEST(EvaluateLine, gives_back_the_memory_of_a_long_line) {
    if (heapInUse() < 0) GTEST_SKIP() << "needs glibc's or AddressSanitizer's count of the heap in use";
    std::string line;
    while (line.size() < (10u << 20)) line += "1 ";
    const long long before = heapInUse();
    EXPECT_EQ(evaluateLine(line, ConvTo::Fraction).size(), line.size() - 1);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(evaluateLine("1 2 +", ConvTo::Fraction), "3");
    EXPECT_LE(heapInUse() - before, 16 << 20);
}

}  // namespace
}  // namespace zarn
