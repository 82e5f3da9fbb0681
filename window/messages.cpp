#include "window/messages.hpp"

#include <algorithm>

namespace zarn {

namespace {

// The English of every text; the English block of window/win32/messages.rc says the same, which
// a test checks. The refusals end in the words zarn-eval gives as reasons (evaluator/refusal.cpp).
constexpr EnglishText english[] = {
    {MessageId::RefusalZeroDenominator, "\"%1\" has a zero denominator"},
    {MessageId::RefusalTooManyDigits, "\"%1\" has too many digits to hold exactly"},
    {MessageId::RefusalTooLarge, "\"%1\" is too large or too precise to hold exactly"},
    {MessageId::RefusalNotANumber, "\"%1\" is not a number"},
    {MessageId::RefusalResultTooLarge, "\"%1\" gives a result too large or too precise to hold exactly"},
    {MessageId::CutBefore, "\"/\" divides by zero, so the line is cut before \"%1\""},
    {MessageId::CutEmptied, "\"/\" divides by zero, so the line is emptied"},
    {MessageId::TipTitleRefused, "Not evaluated"},
    {MessageId::TipTitleCut, "Line cut"},
    {MessageId::AlwaysOnTop, "Always on &top"},
    {MessageId::UnknownKey, "Unknown key:\n\n%1"},
    {MessageId::NotAnInteger, "conversion %1"},
    {MessageId::IntegerOverflow, "Error: overflow %1"},
    {MessageId::NotADouble, "conversion %1 not representable as a double"},
    {MessageId::OnTopChoice, "ontop: \"%1\" is neither yes nor no"},
    {MessageId::ThemeChoice, "theme: \"%1\" is neither auto, light nor dark"},
    {MessageId::LanguageChoice, "language: \"%1\" is neither auto nor a language ZARN has texts for (%2)"},
    {MessageId::InvalidUtf8, "invalid UTF-8 at byte %1 of \"%2\""},
    {MessageId::LastResortTitle, "Unhandled Exception"},
    {MessageId::UnknownException, "Unknown exception"},
    {MessageId::AccessViolation, "Access Violation"},
    {MessageId::FloatDivideByZero, "Float Divide by Zero"},
    {MessageId::IntegerDivideByZero, "Integer Divide by Zero"},
    {MessageId::StackOverflow, "Stack Overflow"},
    {MessageId::OtherFault, "Win32 Exception"},
    {MessageId::RememberChoice, "remember: \"%1\" is neither yes nor no"},
    {MessageId::HotkeyNotAKey, "hotkey: \"%1\" is not a key such as ctrl+shift+z"},
    {MessageId::HotkeyNeedsModifier, "hotkey: \"%1\" needs ctrl, alt or win"},
    {MessageId::HotkeyInUse, "Hotkey in use:\n\n%1\n\nAnother program holds this key; ZARN runs without it."},
    {MessageId::CopyChoice, "copy: \"%1\" is neither locale nor line"},
};

}  // namespace

std::span<const EnglishText> englishTexts() { return english; }

std::string_view englishPattern(MessageId id) {
    const auto* text =
        std::find_if(std::begin(english), std::end(english), [id](const EnglishText& t) { return t.id == id; });
    return text == std::end(english) ? std::string_view{} : text->pattern;
}

MessageId refusalMessage(RefusalCause cause) {
    switch (cause) {
        case RefusalCause::ZeroDenominator: return MessageId::RefusalZeroDenominator;
        case RefusalCause::TooManyDigits: return MessageId::RefusalTooManyDigits;
        case RefusalCause::TooLarge: return MessageId::RefusalTooLarge;
        case RefusalCause::ResultTooLarge: return MessageId::RefusalResultTooLarge;
        case RefusalCause::NotANumber: break;
    }
    return MessageId::RefusalNotANumber;
}

std::string fillPlaceholders(std::string_view pattern, std::span<const std::string> arguments) {
    std::string out;
    out.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        if (pattern[i] == '%' && next == '%') {
            out += '%';
            ++i;
        } else if (pattern[i] == '%' && next >= '1' && next <= '9' &&
                   static_cast<std::size_t>(next - '1') < arguments.size()) {
            out += arguments[static_cast<std::size_t>(next - '1')];
            ++i;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

std::string englishText(const Message& message) {
    return fillPlaceholders(englishPattern(message.id), message.arguments);
}

}  // namespace zarn
