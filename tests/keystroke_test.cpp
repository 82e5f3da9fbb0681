// The input line's keyboard logic: the key table, composing the line, the shown result, and
// the answer to a keystroke, including a line the evaluator refuses.

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "window/keystroke.hpp"

namespace zarn {

namespace {

// A tip as its English message and the span it points at.
struct EnglishTip {
    std::string message;
    std::size_t start = 0;
    std::size_t end = 0;
    bool operator==(const EnglishTip&) const = default;
};

std::optional<EnglishTip> inEnglish(const std::optional<Tip>& tip) {
    if (!tip) return std::nullopt;
    return EnglishTip{englishText(tip->message), tip->start, tip->end};
}

// Readable failures.
void PrintTo(const EnglishTip& tip, std::ostream* os) {
    *os << '"' << tip.message << "\" at [" << tip.start << ", " << tip.end << ")";
}

using Kind = KeyCommand::Kind;
using Action = KeystrokeAnswer::Action;

struct TableRow {
    unsigned code;
    bool shiftDown;
    Kind kind;
    char character;
    ConvTo mode;
};

// Every row of the key table, for both Shift states where Shift does not matter.
const std::vector<TableRow>& keyTable() {
    static const std::vector<TableRow> rows = [] {
        std::vector<TableRow> table;
        const auto either = [&table](unsigned code, Kind kind, char c) {
            table.push_back({code, false, kind, c, ConvTo::Fraction});
            table.push_back({code, true, kind, c, ConvTo::Fraction});
        };
        either('+', Kind::Evaluate, '+');
        either(';', Kind::Evaluate, '+');
        either('-', Kind::Evaluate, '-');
        either('*', Kind::Evaluate, '*');
        either(':', Kind::Evaluate, '*');
        either('/', Kind::Evaluate, '/');
        either(' ', Kind::Evaluate, ' ');
        either(9, Kind::Evaluate, ' ');
        either(27, Kind::CloseWindow, 0);
        either(127, Kind::DeleteWordBefore, 0);
        table.push_back({13, false, Kind::Evaluate, ' ', ConvTo::Fraction});
        table.push_back({13, true, Kind::Evaluate, ' ', ConvTo::Decimal});
        table.push_back({8, true, Kind::ClearLine, 0, ConvTo::Fraction});
        table.push_back({8, false, Kind::PassOn, 0, ConvTo::Fraction});
        return table;
    }();
    return rows;
}

TEST(CommandForChar, follows_the_whole_key_table) {
    for (const TableRow& row : keyTable()) {
        const KeyCommand command = commandForChar(row.code, row.shiftDown);
        SCOPED_TRACE("code " + std::to_string(row.code) + (row.shiftDown ? " with Shift" : ""));
        EXPECT_EQ(command.kind, row.kind);
        if (row.kind == Kind::Evaluate) {
            EXPECT_EQ(command.character, row.character);
            EXPECT_EQ(command.mode, row.mode);
        }
    }
}

TEST(CommandForChar, passes_every_other_character_on) {
    for (unsigned code = 0; code <= 0xFFFF; ++code) {
        bool inTable = false;
        for (const TableRow& row : keyTable()) inTable |= row.code == code;
        if (inTable) continue;
        for (const bool shiftDown : {false, true}) {
            ASSERT_EQ(commandForChar(code, shiftDown).kind, Kind::PassOn) << code;
        }
    }
    EXPECT_EQ(commandForChar(10, false).kind, Kind::PassOn);   // Ctrl+Enter
    EXPECT_EQ(commandForChar(0x12B, false).kind, Kind::PassOn); // wider than a byte
    EXPECT_EQ(commandForChar(0x10000 + '+', false).kind, Kind::PassOn);
}

TEST(CommandDependsOnShift, holds_exactly_where_the_table_differs_by_shift) {
    for (unsigned code = 0; code <= 0xFFFF; ++code) {
        const KeyCommand plain = commandForChar(code, false);
        const KeyCommand shifted = commandForChar(code, true);
        const bool differs = plain.kind != shifted.kind || plain.mode != shifted.mode;
        ASSERT_EQ(commandDependsOnShift(code), differs) << code;
    }
    EXPECT_TRUE(commandDependsOnShift(13));
    EXPECT_TRUE(commandDependsOnShift(8));
}

struct Composition {
    std::string text;
    std::size_t start, end;
    char c;
    std::string line;
};

TEST(ComposeLine, replaces_the_selection_or_inserts_at_the_caret) {
    const Composition cases[] = {
        {"1 2", 3, 3, '+', "1 2+"},
        {"2 3 4", 3, 3, '*', "2 3* 4"},
        {"12 34", 3, 5, '+', "12 +"},
        {"abc", 0, 0, '+', "+abc"},
        {"abc", 0, 3, '-', "-"},
        {"abc", 1, 2, ' ', "a c"},
        {"", 0, 0, ' ', " "},
        // Offsets past the end are clamped to it; a start past the end is taken as the end.
        {"abc", 10, 20, '+', "abc+"},
        {"abc", 2, 99, '/', "ab/"},
        {"abcd", 3, 1, '+', "a+bcd"},
        {"", 5, 5, '+', "+"},
    };
    for (const Composition& c : cases) {
        EXPECT_EQ(composeLine(c.text, c.start, c.end, c.c), c.line)
            << c.text << " [" << c.start << ", " << c.end << ")";
    }
    EXPECT_EQ(composeLine(std::string("a\0b", 3), 1, 2, '+'), std::string("a+b"));
    EXPECT_EQ(composeLine(std::string("a\0b", 3), 1, 1, '+'), std::string("a+\0b", 4));
}

TEST(ResultLine, ends_a_non_empty_result_in_exactly_one_space) {
    const std::pair<std::string, std::string> cases[] = {
        {"", ""}, {"3", "3 "}, {"(1/3)", "(1/3) "}, {"1 ", "1 "}, {"6 4", "6 4 "},
    };
    for (const auto& [result, line] : cases) {
        EXPECT_EQ(resultLine(result), line) << result;
    }
}

struct Keystroke {
    std::string text;
    std::size_t start, end;
    unsigned code;
    bool shiftDown;
    Action action;
    std::string shown;  // Show only; the caret is expected at its end
};

TEST(AnswerKeystroke, evaluates_clears_closes_or_passes_on) {
    const Keystroke cases[] = {
        {"1 2", 3, 3, '+', false, Action::Show, "3 "},
        {"2 3 4", 3, 3, '*', false, Action::Show, "6 4 "},      // caret mid-line
        {"12 34", 3, 5, '+', false, Action::Show, "12 "},        // selection replaced
        {"1 2", 3, 3, ';', false, Action::Show, "3 "},
        {"2 3", 3, 3, ':', true, Action::Show, "6 "},
        {"5 3", 3, 3, '-', false, Action::Show, "2 "},
        {"1 3", 3, 3, '/', false, Action::Show, "(1/3) "},
        {"(1/4)", 5, 5, 13, true, Action::Show, "0.25 "},
        {"0.25", 4, 4, 13, false, Action::Show, "(1/4) "},
        {"1 2", 3, 3, 9, false, Action::Show, "1 2 "},
        {"1 2", 3, 3, ' ', true, Action::Show, "1 2 "},
        {"", 0, 0, ' ', false, Action::Show, ""},                // empty stays empty, caret 0
        {"1 0", 3, 3, '/', false, Action::Show, "1 "},           // cut line keeps one space
        {"(", 1, 1, '-', false, Action::Show, "0 "},
        {"1 2", 100, 200, '+', false, Action::Show, "3 "},       // clamped offsets
        {"1 2 3", 2, 2, 8, true, Action::Show, ""},               // Shift+Backspace clears
        {"1 2 3", 2, 2, 8, false, Action::PassOn, ""},
        {"1 2 3", 2, 2, 27, false, Action::Close, ""},
        {"1 2 3", 2, 2, 27, true, Action::Close, ""},
        {"1 2", 3, 3, '5', false, Action::PassOn, ""},
        {"1 2", 3, 3, '(', false, Action::PassOn, ""},
        {"1 2", 3, 3, 10, false, Action::PassOn, ""},
    };
    for (const Keystroke& c : cases) {
        SCOPED_TRACE("\"" + c.text + "\" code " + std::to_string(c.code) + (c.shiftDown ? " with Shift" : ""));
        const KeystrokeAnswer answer = answerKeystroke(c.text, c.start, c.end, c.code, c.shiftDown);
        EXPECT_EQ(answer.action, c.action);
        if (c.action == Action::Show) {
            EXPECT_EQ(answer.text, c.shown);
            EXPECT_EQ(answer.caret, c.shown.size());
        }
    }
}

// Ctrl+Backspace (DEL) erases as typing would: the selection, or the word before the caret with
// the blanks after it.
TEST(AnswerKeystroke, ctrl_backspace_erases_the_selection_or_the_word_before_the_caret) {
    const std::tuple<std::string, std::size_t, std::size_t, std::size_t, std::size_t> cases[] = {
        {"12 (1/3)", 8, 8, 3, 8},      // a value goes whole
        {"12 34 \t", 7, 7, 3, 7},      // with the blanks after it
        {"12 34", 4, 4, 3, 4},         // the part before the caret only
        {"\xE4\xB8\xAD\xE6\x96\x87 5", 6, 6, 0, 6},  // never inside a character
        {"12 34", 1, 4, 1, 4},         // a selection, and nothing else
        {"1 2", 100, 100, 2, 3},       // clamped offsets
    };
    for (const auto& [text, start, end, from, to] : cases) {
        SCOPED_TRACE("\"" + text + "\" [" + std::to_string(start) + ", " + std::to_string(end) + ")");
        const KeystrokeAnswer answer = answerKeystroke(text, start, end, 127, false);
        EXPECT_EQ(answer.action, Action::Erase);
        EXPECT_EQ(answer.caret, from);
        EXPECT_EQ(answer.eraseEnd, to);
    }
}

struct Tipped {
    std::string text;
    std::size_t start, end;
    unsigned code;
    bool shiftDown;
    Action action;
    std::optional<EnglishTip> tip;
};

TEST(AnswerKeystroke, tips_name_the_refused_token_or_the_cut_and_point_into_the_line_shown) {
    const std::string eights = "4611686018427387904 4611686018427387904";
    const std::string zeros = "(1/" + std::string(45, '0') + ")";
    const std::string tooLarge = " is too large or too precise to hold exactly";
    const std::string resultTooLarge = " gives a result too large or too precise to hold exactly";
    const Tipped cases[] = {
        // Refused: the text stays, and the tip points into it.
        {"(1/0)", 5, 5, ' ', false, Action::Refuse, EnglishTip{"\"(1/0)\" has a zero denominator", 0, 5}},
        {"(1/0)", 5, 5, 13, true, Action::Refuse, EnglishTip{"\"(1/0)\" has a zero denominator", 0, 5}},
        {"(1/0) 2", 7, 7, '+', false, Action::Refuse, EnglishTip{"\"(1/0)\" has a zero denominator", 0, 5}},
        {"(1/0) 2", 0, 0, ' ', false, Action::Refuse, EnglishTip{"\"(1/0)\" has a zero denominator", 0, 5}},
        {"  99999999999999999999", 22, 22, ' ', false, Action::Refuse,
         EnglishTip{"\"99999999999999999999\"" + tooLarge, 2, 22}},
        // The typed character completes the refused token, or is it: the selection it replaced.
        {"(10)", 2, 2, '/', false, Action::Refuse, EnglishTip{"\"(1/0)\" has a zero denominator", 0, 4}},
        {eights, 39, 39, '+', false, Action::Refuse, EnglishTip{"\"+\"" + resultTooLarge, 39, 39}},
        {eights + " junk", 39, 44, ';', false, Action::Refuse, EnglishTip{"\"+\"" + resultTooLarge, 39, 44}},
        {eights + " x 1", 40, 41, '*', false, Action::Refuse, EnglishTip{"\"*\"" + resultTooLarge, 40, 41}},
        {zeros, zeros.size(), zeros.size(), ' ', false, Action::Refuse,
         EnglishTip{"\"(1/000000000000000000000...00000000000)\" has a zero denominator", 0, zeros.size()}},
        // A cut: the tip points at the end of what is kept, before the space shown after it.
        {"1 0", 3, 3, '/', false, Action::Show,
         EnglishTip{"\"/\" divides by zero, so the line is cut before \"0\"", 2, 2}},
        {"  abc 1 2 2 -", 13, 13, '/', false, Action::Show,
         EnglishTip{"\"/\" divides by zero, so the line is cut before \"-\"", 10, 10}},
        {"x0", 2, 2, '/', false, Action::Show,
         EnglishTip{"\"/\" divides by zero, so the line is cut before \"0\"", 1, 1}},
        {"abc", 3, 3, '/', false, Action::Show, EnglishTip{"\"/\" divides by zero, so the line is emptied", 0, 0}},
        {"1 2 3", 5, 5, '/', false, Action::Show, std::nullopt},
        {"(1/0)", 5, 5, 8, true, Action::Show, std::nullopt},
    };
    for (const Tipped& c : cases) {
        SCOPED_TRACE("\"" + c.text + "\" code " + std::to_string(c.code));
        const KeystrokeAnswer answer = answerKeystroke(c.text, c.start, c.end, c.code, c.shiftDown);
        EXPECT_EQ(answer.action, c.action);
        EXPECT_EQ(inEnglish(answer.tip), c.tip);
    }
}

// A stand-in for the edit control: it inserts passed-on characters at the caret and applies
// answers as the Win32 procedure does, keeping the last one.
struct FakeLine {
    std::string text;
    std::size_t start = 0, end = 0;
    int beeps = 0;
    bool closed = false;
    KeystrokeAnswer last;

    void type(char c, bool shiftDown = false) {
        const auto code = static_cast<unsigned char>(c);
        const KeystrokeAnswer& answer = last = answerKeystroke(text, start, end, code, shiftDown);
        switch (answer.action) {
            case Action::Show: text = answer.text, start = end = answer.caret; break;
            case Action::PassOn: text = composeLine(text, start, end, c), start = end = start + 1; break;
            case Action::Close: closed = true; break;
            case Action::Refuse: ++beeps; break;
            case Action::Erase:
                text.erase(answer.caret, answer.eraseEnd - answer.caret), start = end = answer.caret;
                break;
        }
    }
    void type(std::string_view keys) {
        for (const char c : keys) type(c);
    }
};

TEST(AnswerKeystroke, drives_a_line_as_a_user_types) {
    FakeLine line;
    line.type("1 2");
    EXPECT_EQ(line.text, "1 2");
    line.type('+');
    EXPECT_EQ(line.text, "3 ");
    EXPECT_EQ(line.end, 2u);
    line.type("4/");
    EXPECT_EQ(line.text, "(3/4) ");
    line.type('\r', true);
    EXPECT_EQ(line.text, "0.75 ");
    line.type('\b', true);
    EXPECT_EQ(line.text, "");
    EXPECT_EQ(line.end, 0u);
    line.type('\x1B');
    EXPECT_TRUE(line.closed);
    EXPECT_EQ(line.beeps, 0);
}

TEST(AnswerKeystroke, leaves_a_refused_line_as_it_was_to_be_mended) {
    // The result "12 (1/3)", its 3 replaced by a typed 0, then "12 " selected and replaced by a
    // typed "+".
    FakeLine line;
    line.text = "12 (1/3)", line.start = 6, line.end = 7;
    line.type('0');
    ASSERT_EQ(line.text, "12 (1/0)");
    line.start = 0, line.end = 3;
    line.type('+');
    // Refuse is the whole answer: it hands the control no text and no caret, so the control
    // keeps both, and the tip points at the refused token in the text kept.
    EXPECT_EQ(line.last.action, Action::Refuse);
    ASSERT_TRUE(line.last.tip.has_value());
    EXPECT_EQ(line.text.substr(line.last.tip->start, line.last.tip->end - line.last.tip->start), "(1/0)");
    // Mended, the same line evaluates.
    line.start = 6, line.end = 7;
    line.type('5');
    line.start = line.end = line.text.size();
    line.type(' ');
    EXPECT_EQ(line.last.action, Action::Show);
    EXPECT_EQ(line.text, "12 (1/5) ");
}

}  // namespace
}  // namespace zarn
