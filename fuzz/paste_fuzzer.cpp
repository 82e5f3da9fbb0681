// pastedText on any bytes, in the formats of common locales and one whose separators cannot be
// read; the first byte picks the locale and whether the line's digits stand beside the paste.
// Every paste ends in time with only the refusal it may give (an exponent beyond the bound),
// keeps no line break or tab, keeps every digit in order where no exponent is written out, and
// grows only by what signs and written-out exponents add. A number that this target writes in
// the locale's own grouping, from digits of the input, pastes as that number in the line's
// notation, and with one group a digit off it is no number; one it writes in scientific notation
// pastes as its exact value (GMP's) in the shortest form; and the line the evaluator gives for the
// input, copied, pastes back unchanged.

#include <gmpxx.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "evaluator/evaluate_line.hpp"
#include "fuzz/require.hpp"
#include "window/copied_text.hpp"
#include "window/pasted_text.hpp"
#include "window/utf8.hpp"

namespace {

using namespace zarn;
using namespace zarn::fuzzing;

struct Locale {
    const char* decimal;
    const char* group;
    const char* grouping;
};
constexpr Locale locales[] = {
    {",", ".", "3;0"},            // de-DE
    {".", ",", "3;0"},            // en-US
    {",", "\u202F", "3;0"},       // fr-FR
    {".", "\u2019", "3;0"},       // de-CH
    {".", ",", "3;2;0"},          // hi-IN
    {"\u066B", "\u066C", "3;0"},  // ar-EG
    {",", "\u00A0", "3"},         // one group of three, then no more grouping
    {",", "", ""},                // separators that cannot be read
};

std::size_t count(std::string_view text, std::string_view what) {
    std::size_t n = 0;
    for (std::size_t at = text.find(what); at != std::string_view::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

std::string digitsOf(std::string_view text) {
    std::string digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits), [](char c) { return c >= '0' && c <= '9'; });
    return digits;
}

std::string utf8Of(char32_t c) {
    std::string text;
    appendUtf8(text, c);
    return text;
}

// The digits grouped from the right as `grouping` says, written with the separator `group`.
std::string grouped(const std::string& digits, const DigitGrouping& grouping, const std::string& group,
                    std::size_t& separators) {
    std::string out;
    std::size_t end = digits.size(), place = 0;
    while (end > 0) {
        const bool listed = place < grouping.sizes.size() || grouping.lastSizeRepeats;
        const std::size_t size =
            listed ? grouping.sizes[std::min(place, grouping.sizes.size() - 1)] : end;  // the rest, unlisted
        const std::size_t start = end > size ? end - size : 0;
        out.insert(0, digits.substr(start, end - start));
        if (start > 0) out.insert(0, group), ++separators;
        end = start, ++place;
    }
    return out;
}

// Each decimal separator made ".", as it stands between digits wherever a number is not grouped.
std::string withPoints(std::string text, const NumberFormat& format) {
    const std::string decimal = utf8Of(format.decimal.value_or(U'.'));
    for (std::size_t at = text.find(decimal); at != std::string::npos; at = text.find(decimal, at + 1)) {
        text.replace(at, decimal.size(), ".");
    }
    return text;
}

// A number the locale writes: digits of the input grouped, perhaps a decimal part and a sign,
// alone in the paste. It reads as the number in the line's notation, but for one "." group and no
// decimal part with nothing else in the paste, which stays as written. With the last group
// separator of its integer part one digit to the right, or without its first one, it is no
// number: only its decimal separator becomes ".".
void checkLocalesOwnNumber(std::string_view input, std::uint8_t pick, const NumberFormat& format) {
    if (!format.grouping) return;
    std::string digits = digitsOf(input).substr(0, 24);
    if (digits.empty()) return;
    const std::size_t split = pick % (digits.size() + 1);
    const std::string whole = digits.substr(0, std::max<std::size_t>(split, 1)),
                      fraction = split == 0 ? "" : digits.substr(split);
    const std::u32string groups = groupSeparatorsLike(format.grouping->separator);
    const std::string group = utf8Of(groups[pick / 16 % groups.size()]);
    const std::string decimal = utf8Of(format.decimal.value_or(U'.'));
    std::size_t separators = 0;
    const bool negative = pick & 8;
    const std::string written = (negative ? "-" : "") + grouped(whole, *format.grouping, group, separators) +
                                (fraction.empty() ? "" : decimal + fraction);
    std::string number = whole + (fraction.empty() ? "" : "." + fraction);
    if (format.grouping->separator == U'.' && separators == 1 && fraction.empty()) number = written.substr(negative);
    const std::string expected = negative ? "(-" + number + ")" : number;
    const std::optional<std::string> pasted = pastedText(written, format);
    require(pasted == expected, "a number in the locale's grouping is misread", input,
            written + " gives " + printable(pasted.value_or("(refused)")) + " instead of " + expected);

    const std::size_t wholeEnd = written.size() - (fraction.empty() ? 0 : decimal.size() + fraction.size());
    const std::size_t last = written.rfind(group, wholeEnd);
    if (separators == 0 || last == std::string::npos || negative) return;
    std::string misgrouped = written;
    if (pick & 4) {
        misgrouped.erase(last, group.size());
        misgrouped.insert(last + 1, group);
    } else {
        misgrouped.erase(misgrouped.find(group), group.size());
    }
    const std::optional<std::string> misread = pastedText(misgrouped, format);
    require(misread == withPoints(misgrouped, format), "a number grouped off the locale's sizes is read as one",
            input, printable(misgrouped) + " gives " + printable(misread.value_or("(refused)")));
}

// The value of a number in the line's notation (digits, perhaps one "."), exactly.
mpq_class valueOf(const std::string& number) {
    const std::size_t point = std::min(number.find('.'), number.size());
    mpz_class scale = 1;
    for (std::size_t i = point + 1; i < number.size(); ++i) scale *= 10;
    std::string digits = number;
    if (point < number.size()) digits.erase(point, 1);
    mpq_class value(mpz_class(digits.empty() ? "0" : digits, 10), scale);
    value.canonicalize();
    return value;
}

// The input's first digits as a mantissa d[D ddd] with an exponent from -30 to 30: the paste
// gives its exact value, with no zero before the point but one alone and none at the end of
// its decimal part.
void checkScientific(std::string_view input, std::uint8_t pick, const NumberFormat& format) {
    const std::string digits = digitsOf(input).substr(0, 20);
    if (digits.empty()) return;
    const int exponent = pick % 61 - 30;
    const std::string decimal = utf8Of(format.decimal.value_or(U'.'));
    const std::string written = digits.substr(0, 1) + (digits.size() > 1 ? decimal + digits.substr(1) : "") +
                                (pick & 1 ? "e" : "E") + std::to_string(exponent);
    // d.ddd times 10^exponent is the digits as an integer times 10^(exponent - the digits after the point).
    const int scale = exponent - static_cast<int>(digits.size()) + 1;
    mpz_class power = 1;
    for (int i = 0; i < std::abs(scale); ++i) power *= 10;
    const mpz_class integer(digits, 10);
    mpq_class expected = scale >= 0 ? mpq_class(integer * power) : mpq_class(integer, power);
    expected.canonicalize();
    const std::optional<std::string> pasted = pastedText(written, format);
    const bool shortest = pasted && !pasted->empty() &&
                          (pasted->find('.') == std::string::npos || pasted->back() != '0') &&
                          ((*pasted)[0] != '0' || *pasted == "0" || pasted->starts_with("0."));
    require(pasted && pasted->find_first_not_of("0123456789.") == std::string::npos && shortest &&
                valueOf(*pasted) == expected,
            "a number in scientific notation is not written out exactly", input,
            written + " gives " + printable(pasted.value_or("(refused)")) + " instead of " + expected.get_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const Locale& locale = locales[data[0] % std::size(locales)];
    const NumberFormat format = numberFormatFrom(locale.decimal, locale.group, locale.grouping);
    const PasteSite site{(data[0] & 0x40) != 0, (data[0] & 0x80) != 0};
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

    const std::optional<std::string> pasted = pastedText(input, format, site);
    const std::size_t exponents = count(input, "e") + count(input, "E");
    require(pasted || exponents > 0, "a paste without an exponent is refused", input);
    if (pasted) {
        require(pasted->find_first_of("\r\n\t") == std::string::npos, "a line break or tab is left", input, *pasted);
        const std::size_t bound =
            input.size() + 2 * count(input, "-") + (longestPastedExponent + 4) * exponents;
        require(pasted->size() <= bound, "a paste grows beyond what signs and exponents add", input, *pasted);
        require(exponents > 0 || digitsOf(*pasted) == digitsOf(input), "a digit is lost, added or moved", input,
                *pasted);
    }

    checkLocalesOwnNumber(input, size > 1 ? data[1] : 0, format);
    checkScientific(input, size > 2 ? data[2] : 0, format);

    // A line the evaluator writes, copied, comes back as the same line (a line cut back by a
    // division by zero is the user's own text).
    for (const ConvTo mode : {ConvTo::Fraction, ConvTo::Decimal}) {
        const Evaluation evaluation = evaluateLineInFull(input, mode);
        if (evaluation.refusal || evaluation.cut) continue;
        const std::string& line = evaluation.line;
        const std::string copied = copiedText(line, format.decimal);
        const std::optional<std::string> back = pastedText(copied, format, site);
        require(back == line, "a copied line pastes back changed", input,
                printable(line) + " copied as " + printable(copied) + " pastes as " +
                    printable(back.value_or("(refused)")));
    }
    return 0;
}
