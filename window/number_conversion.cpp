#include "window/number_conversion.hpp"

#include <charconv>
#include <limits>
#include <system_error>

#include "rational/text.hpp"

namespace zarn {

std::int32_t toInt32(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) digits.remove_prefix(1);
    if (digits.empty()) throw ConversionException({MessageId::NotAnInteger, {std::string(text)}});
    for (const char c : digits) {
        if (!text::isDigit(c)) throw ConversionException({MessageId::NotAnInteger, {std::string(text)}});
    }
    // Accumulate the magnitude in 64 bits, stopping as soon as it leaves the 32-bit range.
    const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
    std::int64_t magnitude = 0;
    for (const char c : digits) {
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit) throw OverflowException({MessageId::IntegerOverflow, {std::string(text)}});
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

double toDouble(std::string_view text) {
    // std::from_chars neither takes a leading "+" nor looks at the locale.
    std::string_view number = text;
    if (number.size() > 1 && number.front() == '+' && number[1] != '-' && number[1] != '+') {
        number.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc{} || end != number.data() + number.size()) {
        throw ConversionException({MessageId::NotADouble, {std::string(text)}});
    }
    return value;
}

}  // namespace zarn
