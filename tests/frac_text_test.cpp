// frac's text forms: what the reader accepts and refuses, and the fraction and decimal forms.

#include <gmpxx.h>
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "rational/frac.hpp"
#include "tests/exact_reference.hpp"

namespace zarn {
namespace {

using namespace testing_support;

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
        {"9223372036854775807", kMax, 1},
        {"-9223372036854775808", kMin, 1},
        {"0009223372036854775807", kMax, 1},
        {"1/9223372036854775807", 1, kMax},
        // Values that fit although their digits as written do not.
        {"4611686018427387903.5", kMax, 2},
        {"0.50000000000000000000", 1, 2},
        {"176366841446.14285714", 8818342072307142857, 50000000},
        {"18446744073709551616/36893488147419103232", 1, 2},
        {"-1.0000000000000000000", -1, 1},
        {"922337203685477580.8", std::int64_t{1} << 62, 5},
        {"0.0000000000009094947017729282379150390625", 1, std::int64_t{1} << 40},  // 5^40 / 10^40
        {"0.000000000000000000134217728", 1, 7450580596923828125},                  // 2^27 / 10^27
        {"00000000000000000000000000000000000000000000000000000000000000000000000001", 1, 1},
    };
    for (const Reading& c : cases) {
        SCOPED_TRACE("text: \"" + c.text + "\"");
        const frac value(c.text);
        EXPECT_EQ(value.numerator(), c.n);
        EXPECT_EQ(value.denominator(), c.d);
    }
}

TEST(FracParse, refuses_with_the_reason) {
    using Reason = FracParseException::Reason;
    const struct {
        std::string text;
        Reason reason;
    } cases[] = {
        {"", Reason::NotANumber}, {" \t ", Reason::NotANumber}, {"1 2", Reason::NotANumber},
        {"1/2/3", Reason::NotANumber}, {"1.5/2", Reason::NotANumber}, {"1/2.5", Reason::NotANumber},
        {"1.2.3", Reason::NotANumber}, {"--5", Reason::NotANumber}, {"3/-4", Reason::NotANumber},
        {"1e5", Reason::NotANumber}, {"1,5", Reason::NotANumber}, {std::string("1\x80"), Reason::NotANumber},
        {std::string("1\0", 2), Reason::NotANumber}, {"(5)", Reason::NotANumber},
        {std::string(50, '9') + "x", Reason::NotANumber},
        {"/", Reason::ZeroDenominator}, {"5/", Reason::ZeroDenominator}, {"0/0", Reason::ZeroDenominator},
        {"5/00", Reason::ZeroDenominator}, {std::string(50, '9') + "/0", Reason::ZeroDenominator},
        {"9223372036854775808", Reason::TooLarge}, {"-9223372036854775809", Reason::TooLarge},
        {"3074457345618258602.33333333", Reason::TooLarge}, {"1/9223372036854775808", Reason::TooLarge},
        {"0.0000000000000000001", Reason::TooLarge}, {std::string(38, '9'), Reason::TooLarge},
        {"0." + std::string(60, '0') + "5", Reason::TooLarge},
        {std::string(39, '9'), Reason::TooManyDigits}, {"1" + std::string(38, '0') + ".", Reason::TooManyDigits},
        {"1/" + std::string(39, '7'), Reason::TooManyDigits}, {"0." + std::string(39, '1'), Reason::TooManyDigits},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("text: \"" + c.text + "\"");
        frac value(-7, 3);
        try {
            value.parse(c.text);
            ADD_FAILURE() << "accepted";
        } catch (const FracParseException& e) {
            EXPECT_EQ(e.reason(), c.reason);
            EXPECT_EQ(e.message(), "frac.parse");
        }
        EXPECT_EQ(value.numerator(), -7);  // a refusal changes nothing
        EXPECT_EQ(value.denominator(), 3);
    }
}

TEST(FracParse, keeps_the_fields_as_written_when_they_fit_and_else_lowest_terms) {
    const Reading cases[] = {
        {"1.50", 150, 100},
        {"-4/6", -4, 6},
        {"4611686018427387904/4611686018427387904", std::int64_t{1} << 62, std::int64_t{1} << 62},
        {"1.000000000000000000", 1000000000000000000, 1000000000000000000},
        {"-0.00", 0, 100},
        {"0/5", 0, 5},
        {"18446744073709551616/36893488147419103232", 1, 2},
        {"1.0000000000000000000", 1, 1},
        {"0.0000000000000000000", 0, 1},
        {"-9223372036854775808.0", kMin, 1},
    };
    for (const Reading& c : cases) {
        SCOPED_TRACE("text: \"" + c.text + "\"");
        frac value;
        value.parse(c.text);
        EXPECT_EQ(value.numerator(), c.n);
        EXPECT_EQ(value.denominator(), c.d);
    }
    frac value;
    value.parse("-4/6");
    EXPECT_THROW(value.assignText("1.2.3"), FracParseException);
    EXPECT_EQ(value.numerator(), -4);
    value.assignText("-4/6");
    EXPECT_EQ(value.numerator(), -2);
    EXPECT_EQ(value.denominator(), 3);
}

// Digit runs of every length around the limits: leading zeros, up to 42 significant digits,
// and zeros at the end.
std::string randomDigits(std::mt19937_64& random) {
    std::string digits(random() % 4 == 0 ? random() % 45 : 0, '0');
    const std::size_t significant = random() % 4 == 0 ? random() % 43 : random() % 21;
    for (std::size_t i = 0; i < significant; ++i) digits += static_cast<char>('0' + random() % 10);
    digits.append(random() % 3 == 0 ? random() % 25 : 0, '0');
    return digits;
}

TEST(FracParse, reads_every_number_exactly_when_its_value_fits) {
    std::mt19937_64 random(38);
    int read = 0;
    for (int i = 0; i < 100000; ++i) {
        const bool negative = random() % 2 == 0;
        const std::string before = randomDigits(random);
        const char separator = "\0./"[random() % 3];
        const std::string after = separator == 0 ? "" : randomDigits(random);
        std::string text = negative ? "-" : (random() % 8 == 0 ? "+" : "");
        text += before;
        if (separator != 0) text += separator;
        text += after;
        if (text.empty()) continue;  // no number at all
        const NumberReading expected = readDigits(negative, before, separator, after);
        SCOPED_TRACE("text: \"" + text + "\"");
        frac value;
        try {
            value.parse(text);
        } catch (const FracParseException& e) {
            ASSERT_TRUE(expected.refusal);
            ASSERT_EQ(e.reason(), *expected.refusal);
            continue;
        }
        ASSERT_FALSE(expected.refusal) << "read as " << value.toString();
        ASSERT_EQ(toMpz(value.numerator()), expected.numerator) << value.toString();
        ASSERT_EQ(toMpz(value.denominator()), expected.denominator) << value.toString();
        ++read;
    }
    EXPECT_GT(read, 30000);
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
