// Reading a number: frac::parse and the exact arithmetic on digit runs behind it.

#include <array>
#include <bit>

#include "rational/exact.hpp"
#include "rational/frac.hpp"
#include "rational/text.hpp"

namespace zarn {

namespace {

using exact::UWide;
using Reason = FracParseException::Reason;

// The most digits a numerator or denominator may have: 10^38 - 1 < 2^127.
constexpr int maxDigits = 38;
// The most digits a 64-bit accumulator holds: 10^19 - 1 < 2^64.
constexpr int narrowDigits = 19;

constexpr std::array<std::uint64_t, narrowDigits + 1> powersOfTen = [] {
    std::array<std::uint64_t, narrowDigits + 1> powers{};
    powers[0] = 1;
    for (std::size_t k = 1; k < powers.size(); ++k) powers[k] = powers[k - 1] * 10;
    return powers;
}();

// A run of digits with its leading zeros skipped: read into 64 bits while it has at most 19
// significant digits, as nearly every number does, and into 128 bits after that. Past
// maxDigits it only remembers that there were too many.
class DigitRun {
public:
    void append(unsigned digit) {
        if (digits_ < narrowDigits) [[likely]] {
            narrow_ = narrow_ * 10 + digit;
            digits_ += narrow_ != 0 ? 1 : 0;  // a leading zero leaves the value 0 and counts nothing
        } else {
            appendWide(digit);
        }
    }
    // `count` zeros that a non-zero digit follows (zeros at the end of a decimal are not read).
    void appendZeros(std::size_t count) {
        if (digits_ == 0) return;
        if (count > static_cast<std::size_t>(maxDigits - digits_)) count = maxDigits + 1;
        for (; count > 0 && !tooLong(); --count) append(0);
    }
    bool tooLong() const { return digits_ > maxDigits; }
    bool isZero() const { return digits_ == 0; }
    UWide value() const { return digits_ <= narrowDigits ? UWide{narrow_} : wide_; }

private:
    void appendWide(unsigned digit) {
        if (digits_ == narrowDigits) wide_ = narrow_;
        if (digits_ < maxDigits) wide_ = wide_ * 10 + digit;
        if (digits_ <= maxDigits) ++digits_;
    }

    std::uint64_t narrow_ = 0;
    UWide wide_ = 0;
    int digits_ = 0;
};

// Fields of sign * n / d, or frac.parse (too large) when they do not fit.
exact::Fields fieldsOf(bool negative, UWide n, UWide d) {
    if (!exact::fitsFields(negative, n, d)) throw FracParseException(Reason::TooLarge);
    const auto bits = static_cast<std::uint64_t>(n);
    return {static_cast<std::int64_t>(negative ? 0 - bits : bits), static_cast<std::int64_t>(d)};
}

// The fields parse stores, and whether they are known to be canonical: those it reduced to
// lowest terms and integers are; others kept as written may not be.
struct Stored {
    exact::Fields fields;
    bool canonical;
};

// n/d as written when that fits, else in lowest terms.
Stored quotientFields(bool negative, UWide n, UWide d) {
    if (exact::fitsFields(negative, n, d)) return {fieldsOf(negative, n, d), d == 1};
    const UWide g = exact::gcdOf(n, d);
    return {fieldsOf(negative, n / g, d / g), true};
}

// n / 10^k in lowest terms: only the factors 2 and 5 of n can cancel, so k may be any length.
exact::Fields decimalInLowestTerms(bool negative, UWide n, std::size_t k) {
    if (n == 0) return {0, 1};
    const auto low = static_cast<std::uint64_t>(n);
    const auto zeroBits = static_cast<std::size_t>(
        low != 0 ? std::countr_zero(low) : 64 + std::countr_zero(static_cast<std::uint64_t>(n >> 64)));
    const std::size_t halvings = zeroBits < k ? zeroBits : k;
    n >>= halvings;
    std::size_t twos = k - halvings;
    std::size_t fives = k;
    for (; fives > 0 && n % 5 == 0; --fives) n /= 5;
    // 2^63 and 5^28 alone exceed every denominator.
    if (twos > 62 || fives > 27) throw FracParseException(Reason::TooLarge);
    UWide d = UWide{1} << twos;
    for (; fives > 0; --fives) d *= 5;
    return fieldsOf(negative, n, d);
}

// The decimal whose digits without the point are n followed by `trailingZeros` zeros, with
// `places` + `trailingZeros` digits after the point: as written when that fits, else in lowest
// terms.
Stored decimalFields(bool negative, UWide n, std::size_t places, std::size_t trailingZeros) {
    const std::size_t written = places + trailingZeros;
    if (written < narrowDigits && exact::fitsFields(negative, n, 0)) {
        const UWide numerator = n * powersOfTen[trailingZeros];  // below 2^63 * 10^18 < 2^127
        if (exact::fitsFields(negative, numerator, 0)) {
            return {fieldsOf(negative, numerator, powersOfTen[written]), false};
        }
    }
    return {decimalInLowestTerms(negative, n, places), true};
}

}  // namespace

// One pass over the bytes: [sign][blanks], the digits before a separator, then those after a
// "/" or a ".", each read exactly; then the fields as written or the value in lowest terms.
// The fields change only on success.
frac& frac::parse(std::string_view input) {
    // The common case, a run of at most 18 digits, cannot overflow and needs no stripping.
    if (input.size() <= 18) {
        std::uint64_t value = 0;
        std::size_t i = 0;
        for (; i < input.size() && text::isDigit(input[i]); ++i) value = value * 10 + static_cast<std::uint64_t>(input[i] - '0');
        if (i == input.size() && i > 0) {
            assign(static_cast<std::int64_t>(value), 1, true);
            return *this;
        }
    }
    std::string_view s = text::stripped(input);
    if (s.empty()) throw FracParseException();
    const bool negative = s.front() == '-';
    if (negative || s.front() == '+') s.remove_prefix(1);
    s = text::stripped(s);

    const auto digitAt = [&s](std::size_t i) { return static_cast<unsigned>(s[i] - '0'); };
    DigitRun top;  // the numerator's digits; a decimal's without the point
    std::size_t i = 0;
    for (; i < s.size() && text::isDigit(s[i]); ++i) top.append(digitAt(i));
    enum class Separator { None, Slash, Point } separator = Separator::None;
    if (i < s.size()) {
        if (s[i] != '/' && s[i] != '.') throw FracParseException();
        separator = s[i++] == '/' ? Separator::Slash : Separator::Point;
    }
    DigitRun bottom;                // the digits after "/"
    std::size_t places = 0;         // digits after the point up to the last non-zero one
    std::size_t trailingZeros = 0;  // zeros after the point with no non-zero digit after them
    if (separator == Separator::Slash) {
        for (; i < s.size() && text::isDigit(s[i]); ++i) bottom.append(digitAt(i));
    } else if (separator == Separator::Point) {
        for (; i < s.size() && text::isDigit(s[i]); ++i) {
            if (s[i] == '0') {
                ++trailingZeros;
                continue;
            }
            top.appendZeros(trailingZeros);
            top.append(digitAt(i));
            places += trailingZeros + 1;
            trailingZeros = 0;
        }
    }
    if (i < s.size()) throw FracParseException();  // a second separator, or any other byte
    if (separator == Separator::Slash && bottom.isZero()) throw FracParseException(Reason::ZeroDenominator);
    if (top.tooLong() || bottom.tooLong()) throw FracParseException(Reason::TooManyDigits);

    const Stored stored = separator == Separator::Slash ? quotientFields(negative, top.value(), bottom.value())
                          : places != 0 || trailingZeros != 0
                              ? decimalFields(negative, top.value(), places, trailingZeros)
                              : Stored{fieldsOf(negative, top.value(), 1), true};
    assign(stored.fields, stored.canonical);
    return *this;
}

}  // namespace zarn
