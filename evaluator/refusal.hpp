#pragma once
// Why a line cannot be evaluated, and the plain words that tell a user so. The console tool says
// it with these words, always in English; the window's English tips end in them.

#include <cstddef>
#include <string_view>

namespace zarn {

enum class RefusalCause {
    ZeroDenominator,  // a number such as (1/0)
    TooManyDigits,    // a number with more digits than are read exactly
    TooLarge,         // a number whose value does not fit 64-bit numerator and denominator
    NotANumber,       // a number token its reader does not take (the scanner never yields one)
    ResultTooLarge,   // an operator whose exact result does not fit
};

// The token that made a line refused: where it stands in the line as given (blanks before it
// counted) and why.
struct Refusal {
    std::size_t offset = 0;
    std::size_t length = 0;
    RefusalCause cause = RefusalCause::NotANumber;
    bool operator==(const Refusal&) const = default;
};

// A few words that complete a sentence whose subject is the token: "has a zero denominator".
std::string_view reasonText(RefusalCause cause);

// The refusal's identifier, the message of the exception evaluateLine throws for it:
// "frac.overflow" for a result, "frac.parse" for a number.
std::string_view refusalId(RefusalCause cause);

}  // namespace zarn
