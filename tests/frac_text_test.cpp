// frac's text forms: what the reader accepts and refuses, and the fraction and decimal forms.

#include <gmpxx.h>
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>

#include "rational/frac.hpp"

namespace zarn {
namespace {

constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();
constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();

struct Reading {
    std::string text;
    std::int64_t n, d;  // after normalisation
};

TEST(FracParse, reads_the_notation_into_lowest_terms) {
    const Reading cases[] = {
        {"12", 12, 1},        {"-3/4", -3, 4},        {"1.50", 3, 2},     {"-0.5", -1, 2},
        {".5", 1, 2},         {"5.", 5, 1},           {"007", 7, 1},      {"0/5", 0, 1},
        {"/4", 0, 1},         {".", 0, 1},            {"-", 0, 1},        {"+", 0, 1},
        {"- ", 0, 1},         {" + 7 ", 7, 1},        {"+5", 5, 1},       {"- 5", -5, 1},
        {"  12  ", 12, 1},    {"0.125", 1, 8},        {"-10/4", -5, 2},   {"10/5", 2, 1},
        {"0/7", 0, 1},        {"\t\n\v\f\r9\r\n", 9, 1}, {"-0", 0, 1},    {"3.", 3, 1},
        {"0.33333333", 33333333, 100000000},
        // The limits of 64 bits, before reduction.
        {"9223372036854775807", kMax, 1},
        {"-9223372036854775808", kMin, 1},
        {"0009223372036854775807", kMax, 1},
        {"1/9223372036854775807", 1, kMax},
        {"-922337203685477580.8", kMin / 2, 5},
        {"0.000000000000000001", 1, 1000000000000000000},
        {"9/18", 1, 2},
    };
    for (const Reading& c : cases) {
        SCOPED_TRACE("text: \"" + c.text + "\"");
        const frac value(c.text);
        EXPECT_EQ(value.numerator(), c.n);
        EXPECT_EQ(value.denominator(), c.d);
    }
}

TEST(FracParse, refuses_what_is_not_a_number_or_does_not_fit) {
    const std::string refused[] = {
        "", " \t ", "1 2", "1/2/3", "1.5/2", "1/2.5", "1.2.3", "--5", "-+5", "3/-4", "--3", "1e5",
        "0x10", "1,5", "/", "5/", "1/0", "0/0", "5/00", std::string("1\x80"), std::string("\xC3\xA9"),
        std::string("1\0", 2), "(5)", "5-",
        // Digits that do not fit 64 bits are refused, never wrapped.
        "9223372036854775808", "-9223372036854775809", "99999999999999999999",
        "1/9223372036854775808", "0.0000000000000000001", "922337203685477580.8",
        "-1.0000000000000000000",
    };
    for (const std::string& text : refused) {
        SCOPED_TRACE("text: \"" + text + "\"");
        EXPECT_THROW(frac{text}, FracParseException);
    }
}

TEST(FracParse, leaves_the_pair_unreduced_and_a_refusal_changes_nothing) {
    frac value;
    value.parse("1.50");
    EXPECT_EQ(value.numerator(), 150);
    EXPECT_EQ(value.denominator(), 100);
    value.parse("-4/6");
    EXPECT_EQ(value.numerator(), -4);
    EXPECT_EQ(value.denominator(), 6);
    EXPECT_THROW(value.parse("12/0"), FracParseException);
    EXPECT_THROW(value.assignText("1.2.3"), FracParseException);
    EXPECT_EQ(value.numerator(), -4);
    EXPECT_EQ(value.denominator(), 6);
    value.assignText("-4/6");
    EXPECT_EQ(value.numerator(), -2);
    EXPECT_EQ(value.denominator(), 3);
}

TEST(FracParse, accepts_both_written_forms_back) {
    const std::string written[] = {"-7/2", "12", "-0.5", "0.33333333", "3.", "-9223372036854775808"};
    for (const std::string& text : written) {
        EXPECT_NO_THROW(frac{text}) << text;
    }
    EXPECT_EQ(frac("-7/2").toFractionString(), "-7/2");
    EXPECT_EQ(frac("-0.5").toFractionString(), "-1/2");
}

struct Writing {
    std::int64_t n, d;
    std::uint32_t digits;
    std::string fraction, decimal;
};

TEST(FracWriting, writes_fraction_and_decimal_forms) {
    const Writing cases[] = {
        {1, 3, 8, "1/3", "0.33333333"},
        {2, 3, 8, "2/3", "0.66666666"},
        {-1, 2, 8, "-1/2", "-0.5"},
        {2, 1, 8, "2", "2"},
        {1, 8, 8, "1/8", "0.125"},
        {-7, 2, 8, "-7/2", "-3.5"},
        {22, 7, 8, "22/7", "3.14285714"},
        {1, 1024, 8, "1/1024", "0.00097656"},
        {1, 1000000000, 8, "1/1000000000", "0.00000000"},
        {-1, 1000000000, 8, "-1/1000000000", "-0.00000000"},
        {0, 1, 8, "0", "0"},
        {-3, 1, 8, "-3", "-3"},
        {-2, 3, 8, "-2/3", "-0.66666666"},
        {1, 100000000, 8, "1/100000000", "0.00000001"},
        {1000000001, 10000000000, 8, "1000000001/10000000000", "0.10000000"},
        {-5, 1, 0, "-5", "-5"},
        {1, 2, 0, "1/2", "0."},
        {-7, 2, 0, "-7/2", "-3."},
        {4, 1, 8, "4", "4"},
        {-9, 2, 8, "-9/2", "-4.5"},
        // The full range: no overflow in the long division.
        {kMin, 1, 8, "-9223372036854775808", "-9223372036854775808"},
        {kMax, 1, 8, "9223372036854775807", "9223372036854775807"},
        {kMin, kMax, 8, "-9223372036854775808/9223372036854775807", "-1.00000000"},
        {kMax - 1, kMax, 8, "9223372036854775806/9223372036854775807", "0.99999999"},
        {1, kMax, 30, "1/9223372036854775807", "0.000000000000000000108420217248"},
        {kMin + 1, kMax - 1, 4, "-9223372036854775807/9223372036854775806", "-1.0000"},
    };
    for (const Writing& c : cases) {
        SCOPED_TRACE(testing::Message() << c.n << "/" << c.d << " digits " << c.digits);
        const frac value(c.n, c.d);
        EXPECT_EQ(value.toFractionString(), c.fraction);
        EXPECT_EQ(value.toString(), c.fraction);
        EXPECT_EQ(value.toDecimalString(c.digits), c.decimal);
    }
}

mpz_class toMpz(std::int64_t v) { return mpz_class(std::to_string(v)); }

// The decimal form computed independently: floor(|n| * 10^k / d) for each k, cut at the first
// zero remainder.
std::string referenceDecimal(std::int64_t n, std::int64_t d, unsigned digits) {
    const mpz_class magnitude = abs(toMpz(n));
    const mpz_class denominator = toMpz(d);
    std::string out = n < 0 ? "-" : "";
    out += mpz_class(magnitude / denominator).get_str();
    mpz_class remainder = magnitude % denominator;
    if (remainder == 0) return out;
    out += '.';
    for (unsigned k = 0; k < digits && remainder != 0; ++k) {
        remainder *= 10;
        out += static_cast<char>('0' + mpz_class(remainder / denominator).get_si());
        remainder %= denominator;
    }
    return out;
}

TEST(FracWriting, decimal_form_matches_exact_long_division_and_fraction_form_reads_back) {
    std::mt19937_64 random(7);
    for (int i = 0; i < 50000; ++i) {
        const auto n = static_cast<std::int64_t>(random() >> (random() % 64));
        const auto d = static_cast<std::int64_t>((random() >> 1) >> (random() % 63)) | 1;
        const frac value(random() % 2 ? n : (n == kMin ? kMax : -n), d);
        const auto digits = static_cast<std::uint32_t>(random() % 24);
        ASSERT_EQ(value.toDecimalString(digits), referenceDecimal(value.numerator(), value.denominator(), digits))
            << value.toString();
        const frac back(value.toFractionString());
        ASSERT_EQ(back.numerator(), value.numerator());
        ASSERT_EQ(back.denominator(), value.denominator());
    }
}

}  // namespace
}  // namespace zarn
