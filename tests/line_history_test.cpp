// The history of the input line: steps, typing between them, the bounds, the redo branch and
// the limit on the memory held.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/heap_in_use.hpp"
#include "window/line_history.hpp"

namespace zarn {
namespace {

// What happens to the line, one action at a time. Type and Evaluate: the line they leave;
// Undo and Redo: the line expected afterwards (the same line when they change nothing).
enum class Act { Type, Evaluate, Undo, Redo };
struct Action {
    Act act;
    std::string line;
};

struct Script {
    const char* name;
    std::vector<Action> actions;
    std::size_t capacity = LineHistory::defaultCapacity;
};

constexpr Act T = Act::Type, E = Act::Evaluate, U = Act::Undo, R = Act::Redo;

// What each line of the scripts below costs, but the one of 40 digits: a string holds any of them
// in itself.
const std::size_t shortLine = LineHistory::costOf(0);
const std::string fortyDigits(40, '9');

const Script scripts[] = {
    {"evaluations_typed_key_by_key_undone_and_redone",  // 1 2+ 4* 5- 8, as typed into the window
     {{T, "1"}, {E, "1 "}, {T, "1 2"}, {E, "3 "}, {T, "3 4"}, {E, "12 "}, {T, "12 5"}, {E, "7 "},
      {U, "12 5"}, {U, "12 "}, {U, "3 4"}, {U, "3 "}, {U, "1 2"}, {U, ""}, {U, ""},
      {R, "1 2"}, {R, "3 "}, {R, "3 4"}, {R, "12 "}, {R, "12 5"}, {R, "7 "}, {R, "7 "},
      {T, "7 8"}, {U, "7 "}, {R, "7 8"}, {E, "15 "}, {U, "7 8"}, {U, "7 "},
      {T, "7 9"}, {E, "63 "}, {R, "63 "}, {U, "7 9"}, {U, "7 "}, {U, "12 5"}}},
    {"clearing_and_a_cut_line_are_steps",  // Shift+Backspace; 1 0/ cuts back to 1
     {{T, "5"}, {E, ""}, {T, "1 0"}, {E, "1 "}, {U, "1 0"}, {U, ""}, {U, "5"}, {U, ""}}},
    // Space on a result, Shift+Backspace on nothing, Space after a number: the redo stays, and
    // the space counts as typed.
    {"an_evaluation_that_changes_nothing_is_no_step",
     {{T, "3 4"}, {E, "7 "}, {E, "7 "}, {U, "3 4"}, {U, ""}, {E, ""}, {R, "3 4"}, {R, "7 "},
      {T, "7 8"}, {E, "7 8 "}, {U, "7 "}, {R, "7 8 "}}},
    {"a_line_emptied_by_typing_is_typed_text",
     {{T, "1 2"}, {E, "3 "}, {U, "1 2"}, {T, ""}, {R, ""}, {U, "1 2"}, {R, ""}, {U, "1 2"}, {U, ""}}},
    {"decimals_one_byte_longer_are_a_step", {{T, "(1/8)"}, {E, "0.125 "}, {U, "(1/8)"}}},
    {"typing_after_an_undo_takes_the_place_of_what_could_be_redone",
     {{T, "1 2"}, {E, "3 "}, {U, "1 2"}, {T, "1 5"}, {R, "1 5"}, {U, "1 2"}, {R, "1 5"}, {R, "1 5"},
      {E, "6 "}, {U, "1 5"}, {U, "1 2"}, {U, ""}}},
    {"the_oldest_lines_go_beyond_the_capacity",  // two lines: "3 44" and "47 " are all that fit
     {{T, "1 2"}, {E, "3 "}, {T, "3 44"}, {E, "47 "}, {U, "3 44"}, {U, "3 44"}, {R, "47 "}},
     2 * shortLine},
    {"a_line_beyond_the_capacity_empties_the_history",
     {{T, "1"}, {E, fortyDigits}, {U, fortyDigits}, {R, fortyDigits}, {T, "5 6"}, {E, "11 "},
      {U, "5 6"}, {U, "5 6"}},
     2 * shortLine},
    {"typed_text_kept_for_its_redo_pushes_the_oldest_lines_out",
     {{T, "1 2"}, {E, "3 "}, {T, "3 4"}, {U, "3 "}, {U, "1 2"}, {U, "1 2"}, {R, "3 "}, {R, "3 4"}},
     3 * shortLine},
    {"typed_text_that_exactly_fits_beside_the_step_is_kept_for_its_redo",
     {{T, "1 2"}, {E, "3 "}, {T, "3 4"}, {U, "3 "}, {R, "3 4"}},
     2 * shortLine},
    {"typed_text_that_does_not_fit_beside_the_step_is_undone_without_its_redo",
     {{T, "1 2"}, {E, "3 "}, {T, "3 4"}, {U, "3 "}, {R, "3 "}},
     2 * shortLine - 1},
    {"typed_text_beyond_the_capacity_is_undone_without_its_redo",  // and without the old redo either
     {{T, "1 2"}, {E, "3 "}, {T, "3 " + fortyDigits}, {U, "3 "}, {R, "3 "}, {U, "1 2"}, {U, ""}, {R, "1 2"}, {R, "3 "},
      {R, "3 "}, {U, "1 2"}, {T, "1 " + fortyDigits}, {U, "1 2"}, {R, "1 2"}},
     3 * shortLine},
};

TEST(LineHistory, follows_each_script) {
    for (const Script& script : scripts) {
        SCOPED_TRACE(script.name);
        LineHistory history(script.capacity);
        std::string line;
        for (std::size_t i = 0; i < script.actions.size(); ++i) {
            const Action& action = script.actions[i];
            SCOPED_TRACE("action " + std::to_string(i + 1));
            switch (action.act) {
            case Act::Type: line = action.line; break;
            case Act::Evaluate:
                history.recordEvaluation(line, action.line);
                line = action.line;
                break;
            case Act::Undo: {
                const bool couldUndo = history.canUndo(line);
                const auto undone = history.undo(line);
                EXPECT_EQ(undone.has_value(), couldUndo);
                line = undone.value_or(line);
                break;
            }
            case Act::Redo: line = history.redo(line).value_or(line); break;
            }
            ASSERT_EQ(line, action.line);
            ASSERT_LE(history.bytes(), script.capacity);
        }
    }
}

// The default bound: 16 lines costing a little under 1 MiB each fit, the 17th pushes the oldest
// out.
TEST(LineHistory, holds_at_most_16_mib) {
    constexpr std::size_t mebibyte = 1024 * 1024;
    EXPECT_EQ(LineHistory::defaultCapacity, 16 * mebibyte);
    LineHistory history;
    const auto lineOf = [&](int n) { return std::string(mebibyte - 100, static_cast<char>('a' + n)); };
    std::string line;
    for (int n = 0; n < 20; ++n) {
        history.recordEvaluation(line, lineOf(n));
        line = lineOf(n);
        ASSERT_LE(history.bytes(), LineHistory::defaultCapacity);
    }
    int undone = 0;
    while (auto previous = history.undo(line)) {
        line = *previous;
        ++undone;
    }
    EXPECT_EQ(undone, 15);
    EXPECT_EQ(line, lineOf(4));
}

// A short line costs far more than its text: a million evaluations of typed short lines keep at
// most 16 MiB of memory, by the count of lines kept (each is at least a string object) and by the
// heap in use. Counting text alone, they kept every line, over 60 MB.
TEST(LineHistory, a_million_short_evaluations_hold_at_most_16_mib) {
    const long long heapBefore = testing_support::heapInUse();
    LineHistory history;
    std::string line = "0 ";
    for (int n = 1; n <= 1000000; ++n) {
        const std::string typed = line + "1";
        line = std::to_string(n) + " ";
        history.recordEvaluation(typed, line);
    }
    if (heapBefore >= 0) {
        EXPECT_LE(testing_support::heapInUse() - heapBefore, static_cast<long long>(LineHistory::defaultCapacity));
    }
    std::size_t kept = 1;
    while (auto previous = history.undo(line)) {
        line = *previous;
        ++kept;
    }
    EXPECT_LE(kept * sizeof(std::string), LineHistory::defaultCapacity);
}

}  // namespace
}  // namespace zarn
