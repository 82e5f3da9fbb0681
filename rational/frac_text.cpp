// frac's text forms: assigning from text, and writing the fraction and decimal forms. Reading
// a number is in frac_parse.cpp.

#include <charconv>

#include "rational/exact.hpp"
#include "rational/frac.hpp"

namespace zarn {

namespace {

void appendUnsigned(std::string& out, std::uint64_t value) {
    char buffer[20];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

void appendInteger(std::string& out, std::int64_t value) {
    if (value < 0) out += '-';
    appendUnsigned(out, exact::magnitude(value));
}

}  // namespace

void frac::assignText(std::string_view text) {
    const frac value(text);  // parse and normalise first, so a refusal changes nothing
    assign(value.numerator_, value.denominator_, true);
}

std::string frac::toFractionString() const {
    std::string out;
    appendFractionString(out);
    return out;
}

std::string frac::toDecimalString(std::uint32_t digits) const {
    std::string out;
    appendDecimalString(out, digits);
    return out;
}

void frac::appendFractionString(std::string& out) const {
    requireDenominator();
    appendInteger(out, numerator_);
    if (denominator_ != 1) {
        out += '/';
        appendInteger(out, denominator_);
    }
}

// Long division on magnitudes, cut (never rounded) after `digits` digits.
void frac::appendDecimalString(std::string& out, std::uint32_t digits) const {
    requireDenominator();
    if (numerator_ != 0 && (numerator_ < 0) != (denominator_ < 0)) out += '-';
    const std::uint64_t n = exact::magnitude(numerator_);
    const std::uint64_t d = exact::magnitude(denominator_);
    appendUnsigned(out, n / d);
    std::uint64_t r = n % d;
    if (r == 0) return;
    out += '.';
    for (std::uint32_t written = 0; written < digits && r != 0; ++written) {
        // r < d <= 2^63, so 10 * r can need 67 bits.
        const exact::UWide scaled = exact::UWide{r} * 10;
        const auto digit = static_cast<std::uint64_t>(scaled / d);
        r = static_cast<std::uint64_t>(scaled - exact::UWide{digit} * d);
        out += static_cast<char>('0' + digit);
    }
}

}  // namespace zarn
