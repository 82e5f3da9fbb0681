// frac's text forms: reading the notation, and writing the fraction and decimal forms.

#include <charconv>

#include "rational/exact.hpp"
#include "rational/frac.hpp"
#include "rational/text.hpp"

namespace zarn {

namespace {

// value * 10 + digit, refused past limit.
std::uint64_t appendDigit(std::uint64_t value, char digit, std::uint64_t limit) {
    const auto d = static_cast<std::uint64_t>(digit - '0');
    if (value > (limit - d) / 10) throw FracParseException(FracParseException::Reason::TooLarge);
    return value * 10 + d;
}

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

// Reads [sign][blanks]digits with at most one "." or "/" into the two fields, unreduced.
// Digits that do not fit 64 bits are refused, never wrapped. The fields change only on success.
frac& frac::parse(std::string_view input) {
    // The common case, a run of at most 18 digits, cannot overflow and needs no stripping.
    if (input.size() <= 18) {
        std::uint64_t value = 0;
        std::size_t i = 0;
        for (; i < input.size() && text::isDigit(input[i]); ++i) value = value * 10 + static_cast<std::uint64_t>(input[i] - '0');
        if (i == input.size() && i > 0) {
            assign(static_cast<std::int64_t>(value), 1);
            return *this;
        }
    }
    std::string_view s = text::stripped(input);
    if (s.empty()) throw FracParseException();
    const bool negative = s.front() == '-';
    if (negative || s.front() == '+') s.remove_prefix(1);
    s = text::stripped(s);

    enum class Reading { Integer, Denominator, Fraction } reading = Reading::Integer;
    // A negative numerator may reach 2^63; a positive one and the denominator stop at 2^63 - 1.
    const std::uint64_t numeratorLimit = exact::magnitude(exact::minInt) - (negative ? 0 : 1);
    const auto denominatorLimit = static_cast<std::uint64_t>(exact::maxInt);
    std::uint64_t n = 0;
    std::uint64_t d = 1;
    for (const char c : s) {
        if (c == '/' || c == '.') {
            if (reading != Reading::Integer) throw FracParseException();
            reading = c == '/' ? Reading::Denominator : Reading::Fraction;
            if (c == '/') d = 0;
        } else if (!text::isDigit(c)) {
            throw FracParseException();
        } else if (reading == Reading::Denominator) {
            d = appendDigit(d, c, denominatorLimit);
        } else {
            n = appendDigit(n, c, numeratorLimit);
            if (reading == Reading::Fraction) d = appendDigit(d, '0', denominatorLimit);
        }
    }
    if (d == 0) throw FracParseException(FracParseException::Reason::ZeroDenominator);
    numerator_ = static_cast<std::int64_t>(negative ? 0 - n : n);
    denominator_ = static_cast<std::int64_t>(d);
    return *this;
}

void frac::assignText(std::string_view text) {
    const frac value(text);  // parse and normalise first, so a refusal changes nothing
    numerator_ = value.numerator_;
    denominator_ = value.denominator_;
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
    appendInteger(out, numerator_);
    if (denominator_ != 1) {
        out += '/';
        appendInteger(out, denominator_);
    }
}

// Long division on magnitudes, cut (never rounded) after `digits` digits.
void frac::appendDecimalString(std::string& out, std::uint32_t digits) const {
    if (denominator_ == 0) throw FracDivisionByZeroException();
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
