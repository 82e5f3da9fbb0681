// Reading a number: any bytes are either refused with FracParseException, for the reason the
// reading rule gives, or read as exactly the fields it gives (as written when they fit, else
// lowest terms), canonical after normalising, and written back in forms that read again to the
// same value.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/exact_number.hpp"
#include "fuzz/require.hpp"
#include "rational/frac.hpp"

namespace {

using zarn::frac;
using zarn::FracParseException;
using namespace zarn::fuzzing;
using zarn::testing_support::holdsExactly;
using zarn::testing_support::toMpz;

// The value a target holds before reading, to see that a refusal leaves it as it was.
const frac untouched(-7, 3);

void checkParse(std::string_view input, const ReadNumber& expected) {
    frac target = untouched;
    try {
        target.parse(input);
    } catch (const FracParseException& e) {
        require(!expected.accepted, "parse refuses a number the reading rule accepts", input);
        require(e.reason() == expected.refusal, "parse refuses for another reason", input,
                std::to_string(static_cast<int>(e.reason())) + " instead of " +
                    std::to_string(static_cast<int>(expected.refusal)));
        require(target.numerator() == untouched.numerator() && target.denominator() == untouched.denominator(),
                "a refused parse changes the target", input);
        return;
    }
    require(expected.accepted, "parse accepts a text the reading rule refuses", input);
    require(toMpz(target.numerator()) == expected.numerator && toMpz(target.denominator()) == expected.denominator,
            "parse reads a different pair", input,
            target.toFractionString() + " instead of " + expected.numerator.get_str() + "/" +
                expected.denominator.get_str());
}

// The value read by the constructor, or none when it refuses the text.
std::optional<frac> construct(std::string_view text) {
    try {
        return frac(text);
    } catch (const FracParseException&) {
        return std::nullopt;
    }
}

void checkConstructed(std::string_view input, const ReadNumber& expected) {
    const std::optional<frac> value = construct(input);
    frac assigned = untouched;
    bool assignRefused = false;
    try {
        assigned.assignText(input);
    } catch (const FracParseException&) {
        assignRefused = true;
    }
    if (!value) {
        require(!expected.accepted, "the constructor refuses a number the reading rule accepts", input);
        require(assignRefused && assigned.equals(untouched), "assignText does not refuse unchanged", input);
        return;
    }
    require(expected.accepted, "the constructor accepts a text the reading rule refuses", input);
    require(!assignRefused && assigned.equals(*value), "assignText gives another value than the constructor", input);

    const mpq_class exact = valueOf(expected);
    const std::string fraction = value->toFractionString();
    require(holdsExactly(*value, exact), "the constructor does not give the canonical value", input,
            fraction + " instead of " + fractionText(exact));
    require(fraction == fractionText(exact), "fraction form differs from the exact one", input, fraction);
    const std::optional<frac> readBack = construct(fraction);
    require(readBack && readBack->equals(*value), "fraction form does not read back to the same value", input,
            fraction);
    for (const unsigned digits : {0u, 8u, 30u}) {
        const std::string decimal = value->toDecimalString(digits);
        require(decimal == decimalText(exact, digits), "decimal form differs from exact long division", input,
                decimal + " instead of " + decimalText(exact, digits));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const ReadNumber expected = readNumber(input);
    checkParse(input, expected);
    checkConstructed(input, expected);
    return 0;
}
