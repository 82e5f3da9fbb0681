#pragma once
// The conversions of configured numbers: a 32-bit integer for "size", a double for "font".
// Both read bytes only, so the process locale never changes what a number means.

#include <cstdint>
#include <string>
#include <string_view>

#include "window/messages.hpp"

namespace zarn {

// A configured number that its conversion does not accept.
class ConversionException : public MessageException {
public:
    explicit ConversionException(Message shown) : MessageException(std::move(shown)) {}
};

// A configured integer outside the 32-bit range.
class OverflowException : public ConversionException {
public:
    explicit OverflowException(Message shown) : ConversionException(std::move(shown)) {}
};

// An optional "+" or "-" followed by one or more decimal digits, from -2147483648 to
// 2147483647. Throws ConversionException("conversion " + text) for any other text and
// OverflowException("Error: overflow " + text) for a value out of range.
std::int32_t toInt32(std::string_view text);

// The whole text as a decimal floating-point number (an optional sign, digits with an optional
// point and exponent, or "inf", "infinity", "nan" in any case), rounded to double precision.
// Throws ConversionException("conversion " + text + " not representable as a double") when
// text is left over, or the value rounds to infinity, or a non-zero value rounds to zero.
double toDouble(std::string_view text);

}  // namespace zarn
