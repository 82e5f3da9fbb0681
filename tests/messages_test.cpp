// The texts the window shows: placeholders filled by ZARN itself, and the English that zarn-eval
// and the exceptions' messages give.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/messages.hpp"

namespace zarn {
namespace {

TEST(FillPlaceholders, puts_each_argument_in_its_place_and_reads_nothing_else) {
    struct Row {
        const char* pattern;
        std::vector<std::string> arguments;
        const char* filled;
    };
    const Row rows[] = {
        {"\"%1\" has a zero denominator", {"(1/0)"}, "\"(1/0)\" has a zero denominator"},
        {"„%1“ ist keine Zahl", {"abc"}, "„abc“ ist keine Zahl"},
        {"「%2」のバイト %1", {"3", "Caf\\xE9"}, "「Caf\\xE9」のバイト 3"},  // in another order
        {"%1 %1", {"x"}, "x x"},
        {"%1 and %2", {"%2", "%1"}, "%2 and %1"},  // an argument is not read again
        {"100%% of %1", {"x"}, "100% of x"},
        {"%2, %0, %a and 5%", {"x"}, "%2, %0, %a and 5%"},  // no such argument: kept as written
        {"%", {}, "%"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.pattern);
        EXPECT_EQ(fillPlaceholders(row.pattern, row.arguments), row.filled);
    }
}

// The window's English tips and zarn-eval's reasons are the same words.
TEST(EnglishText, a_refusal_is_the_token_quoted_and_the_reason_zarn_eval_gives) {
    for (const RefusalCause cause : {RefusalCause::ZeroDenominator, RefusalCause::TooManyDigits, RefusalCause::TooLarge,
                                     RefusalCause::NotANumber, RefusalCause::ResultTooLarge}) {
        EXPECT_EQ(englishText({refusalMessage(cause), {"(1/0)"}}), "\"(1/0)\" " + std::string(reasonText(cause)));
    }
}

}  // namespace
}  // namespace zarn
