#pragma once
// The texts ZARN's window shows, by identifier, with placeholders for what each names (a token,
// a key, a value). Their English is here; the window shows each in the user's language from
// zarn.exe's string tables (window/win32/message_texts.hpp), and zarn-eval, whose messages
// scripts read, always in English. Pure logic: no window system is needed.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "evaluator/refusal.hpp"
#include "rational/object.hpp"
#include "window/message_ids.h"

namespace zarn {

// What each fills its placeholders with is said beside it.
enum class MessageId : std::uint16_t {
    RefusalZeroDenominator = ZARN_TEXT_REFUSAL_ZERO_DENOMINATOR,  // %1 the token
    RefusalTooManyDigits = ZARN_TEXT_REFUSAL_TOO_MANY_DIGITS,      // %1 the token
    RefusalTooLarge = ZARN_TEXT_REFUSAL_TOO_LARGE,                 // %1 the token
    RefusalNotANumber = ZARN_TEXT_REFUSAL_NOT_A_NUMBER,            // %1 the token
    RefusalResultTooLarge = ZARN_TEXT_REFUSAL_RESULT_TOO_LARGE,    // %1 the operator
    CutBefore = ZARN_TEXT_CUT_BEFORE,                              // %1 the first token cut away
    CutEmptied = ZARN_TEXT_CUT_EMPTIED,
    TipTitleRefused = ZARN_TEXT_TIP_TITLE_REFUSED,
    TipTitleCut = ZARN_TEXT_TIP_TITLE_CUT,
    AlwaysOnTop = ZARN_TEXT_ALWAYS_ON_TOP,                         // a menu item: "&" marks its access key
    UnknownKey = ZARN_TEXT_UNKNOWN_KEY,                            // %1 the key
    NotAnInteger = ZARN_TEXT_NOT_AN_INTEGER,                       // %1 the value
    IntegerOverflow = ZARN_TEXT_INTEGER_OVERFLOW,                  // %1 the value
    NotADouble = ZARN_TEXT_NOT_A_DOUBLE,                           // %1 the value
    OnTopChoice = ZARN_TEXT_ONTOP_CHOICE,                          // %1 the value
    ThemeChoice = ZARN_TEXT_THEME_CHOICE,                          // %1 the value
    LanguageChoice = ZARN_TEXT_LANGUAGE_CHOICE,                    // %1 the value, %2 the tags with texts
    InvalidUtf8 = ZARN_TEXT_INVALID_UTF8,                          // %1 the byte offset, %2 the text escaped
    LastResortTitle = ZARN_TEXT_LAST_RESORT_TITLE,
    UnknownException = ZARN_TEXT_UNKNOWN_EXCEPTION,
    AccessViolation = ZARN_TEXT_ACCESS_VIOLATION,
    FloatDivideByZero = ZARN_TEXT_FLOAT_DIVIDE_BY_ZERO,
    IntegerDivideByZero = ZARN_TEXT_INTEGER_DIVIDE_BY_ZERO,
    StackOverflow = ZARN_TEXT_STACK_OVERFLOW,
    OtherFault = ZARN_TEXT_OTHER_FAULT,
    RememberChoice = ZARN_TEXT_REMEMBER_CHOICE,                    // %1 the value
    HotkeyNotAKey = ZARN_TEXT_HOTKEY_NOT_A_KEY,                    // %1 the value
    HotkeyNeedsModifier = ZARN_TEXT_HOTKEY_NEEDS_MODIFIER,         // %1 the value
    HotkeyInUse = ZARN_TEXT_HOTKEY_IN_USE,                         // %1 the key, as zarn-eval writes it
    CopyChoice = ZARN_TEXT_COPY_CHOICE,                            // %1 the value
};

// A text to show: which one, and what fills its placeholders %1, %2, ... in order.
struct Message {
    MessageId id;
    std::vector<std::string> arguments;
    bool operator==(const Message&) const = default;
};

// Each text and its English pattern, in the order of their identifiers.
struct EnglishText {
    MessageId id;
    std::string_view pattern;
};
std::span<const EnglishText> englishTexts();

std::string_view englishPattern(MessageId id);

// The tip's text for a token refused for `cause`: in English, the token quoted and reasonText().
MessageId refusalMessage(RefusalCause cause);

// `pattern` with each placeholder %1 to %9 replaced by that argument (UTF-8) and %% by %; a
// placeholder without its argument, and any other %, stay as written. Arguments are not read
// for placeholders: a key such as "%1" is shown as it is.
std::string fillPlaceholders(std::string_view pattern, std::span<const std::string> arguments);

// The message in English: the words of zarn-eval and of the exceptions' message().
std::string englishText(const Message& message);

// A failure the window reports in the user's language: the text it shows and, as its message(),
// that text in English.
class MessageException : public Exception {
public:
    explicit MessageException(Message shown) : Exception(englishText(shown)), shown_(std::move(shown)) {}
    const Message& shown() const noexcept { return shown_; }

private:
    Message shown_;
};

}  // namespace zarn
