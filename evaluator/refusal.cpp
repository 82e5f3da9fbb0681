#include "evaluator/refusal.hpp"

namespace zarn {

std::string_view reasonText(RefusalCause cause) {
    switch (cause) {
        case RefusalCause::ZeroDenominator: return "has a zero denominator";
        case RefusalCause::TooManyDigits: return "has too many digits to hold exactly";
        case RefusalCause::TooLarge: return "is too large or too precise to hold exactly";
        case RefusalCause::NotANumber: return "is not a number";
        case RefusalCause::ResultTooLarge: return "gives a result too large or too precise to hold exactly";
    }
    return "cannot be evaluated";
}

std::string_view refusalId(RefusalCause cause) {
    return cause == RefusalCause::ResultTooLarge ? "frac.overflow" : "frac.parse";
}

}  // namespace zarn
