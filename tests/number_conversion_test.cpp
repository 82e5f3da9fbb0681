// toInt32 and toDouble: what each conversion accepts, and the exact text of each refusal.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <typeinfo>

#include "window/number_conversion.hpp"

namespace zarn {
namespace {

constexpr std::int32_t int32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t int32Max = std::numeric_limits<std::int32_t>::max();

TEST(ToInt32, reads_a_signed_decimal_integer_in_32_bits) {
    const std::pair<std::string, std::int32_t> cases[] = {
        {"0", 0},           {"+0", 0},          {"-0", 0},
        {"-100", -100},     {"+300", 300},      {"007", 7},
        {"2147483647", int32Max},               {"-2147483648", int32Min},
        {"0000000000002147483647", int32Max},   {"-0000000000002147483648", int32Min},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(toInt32(text), value) << text;
    }
}

TEST(ToInt32, refuses_other_text_as_a_conversion_error) {
    const std::string refused[] = {
        "", "+", "-", "1.5", "1e+3", "12l", "12u", " 1", "1 ", "--1", "+-1", "0x10", "1,5", "1+2",
        std::string("1\0", 2), "inf", "nan",
        "99999999999l",  // not an integer at all, so not an overflow either
    };
    for (const std::string& text : refused) {
        try {
            toInt32(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const ConversionException& error) {
            EXPECT_EQ(typeid(error), typeid(ConversionException)) << text;
            EXPECT_EQ(error.message(), "conversion " + text);
        }
    }
}

TEST(ToInt32, refuses_values_out_of_range_as_an_overflow) {
    const std::string refused[] = {
        "2147483648", "-2147483649", "+2147483648", "99999999999", "-99999999999999999999999999",
        "4294967296",  // wraps to 0 in 32 bits
    };
    for (const std::string& text : refused) {
        try {
            toInt32(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const OverflowException& error) {
            EXPECT_EQ(error.message(), "Error: overflow " + text);
        }
    }
}

TEST(ToDouble, reads_decimal_floating_point_rounded_to_double) {
    const std::pair<std::string, double> cases[] = {
        {"12", 12.0},        {"+12", 12.0},      {"-12", -12.0},    {"10.5", 10.5},
        {".5", 0.5},         {"5.", 5.0},        {"1e+2", 100.0},   {"1E-2", 0.01},
        {"0.1", 0.1},        {"-0", -0.0},       {"007.250", 7.25},
        {"1e-310", 1e-310},  // below the normal range, still not zero
        {"1.7976931348623157e308", std::numeric_limits<double>::max()},
        {"inf", std::numeric_limits<double>::infinity()},
        {"INF", std::numeric_limits<double>::infinity()},
        {"+Infinity", std::numeric_limits<double>::infinity()},
        {"-inf", -std::numeric_limits<double>::infinity()},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(toDouble(text), value) << text;
    }
    EXPECT_TRUE(std::isnan(toDouble("nan")));
    EXPECT_TRUE(std::isnan(toDouble("NaN")));
}

TEST(ToDouble, refuses_leftover_text_and_values_beyond_double) {
    const std::string refused[] = {
        "", "+", "-", ".", "12l", "1.5f", "1+2", "1+2i", "nani", "nan+nani", "1e+", "1e", "++1",
        "+-1", "-+1", "1,5", "12pt", " 12", "12 ", "0x10",
        "1e+400", "-1e+400", "1.7976931348623159e308",  // rounds to infinity
        "1e-400", "-2e-324",                            // a non-zero value that rounds to zero
    };
    for (const std::string& text : refused) {
        try {
            toDouble(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const ConversionException& error) {
            EXPECT_EQ(error.message(), "conversion " + text + " not representable as a double");
        }
    }
}

}  // namespace
}  // namespace zarn
