// isNumericText against a separate, literal reading of its rules, and the two conversions that
// numeric text goes through against the C library, on short inputs.

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/require.hpp"
#include "window/settings.hpp"

namespace {

using namespace zarn;
using namespace zarn::fuzzing;

constexpr std::size_t longestInput = 40;

bool isDigitByte(char c) { return c >= '0' && c <= '9'; }

// The rules on the lower-cased text: the special words; then an optional sign and a scan with
// the flags point, exponent and second part, where a non-digit in the last two places may be a
// suffix.
bool numericByTheRules(const std::string& t) {
    if (t.empty()) return false;
    for (const char* word : {"nan", "nani", "nan+nani", "inf", "-inf"}) {
        if (t == word) return true;
    }
    bool point = false, exponent = false, secondPart = false;
    std::size_t i = t[0] == '+' || t[0] == '-' ? 1 : 0;
    while (i < t.size()) {
        const char c = t[i];
        const bool isLast = i + 1 == t.size();
        const bool oneMore = i + 2 == t.size();
        if (isDigitByte(c)) {
            ++i;
        } else if (c == '+') {
            point = exponent = false;
            secondPart = true;
            ++i;
        } else if (c == 'e') {
            if (exponent || isLast || (t[i + 1] != '+' && t[i + 1] != '-')) return false;
            exponent = true;
            i += 2;
        } else if (c == '.') {
            if (point) return false;
            point = true;
            ++i;
        } else if (oneMore) {
            const std::string pair = t.substr(i);
            if (pair == "ul") return !point && !exponent && !secondPart;
            return pair == "fi" || pair == "li";
        } else if (isLast) {
            if ((c == 'u' || c == 'l') && !point && !exponent && !secondPart) return true;
            if (secondPart) return c == 'i';
            return c == 'l' || c == 'f' || c == 'i';
        } else {
            return false;
        }
    }
    return true;
}

std::optional<bool> numeric(std::string_view text) {
    try {
        return isNumericText(text);
    } catch (const Utf8Exception&) {
        return std::nullopt;
    }
}

// "+" or "-" once, then only digits: compared with a saturating accumulation.
void checkInt32(const std::string& text) {
    const std::size_t digitsStart = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
    bool allDigits = digitsStart < text.size();
    long long magnitude = 0;
    for (std::size_t i = digitsStart; i < text.size(); ++i) {
        allDigits = allDigits && isDigitByte(text[i]);
        if (isDigitByte(text[i]) && magnitude <= (1LL << 40)) magnitude = magnitude * 10 + (text[i] - '0');
    }
    const long long value = text[0] == '-' ? -magnitude : magnitude;
    try {
        const std::int32_t converted = toInt32(text);
        require(allDigits && converted == value, "toInt32 accepts or gives a wrong value", text,
                std::to_string(converted));
    } catch (const OverflowException& e) {
        require(allDigits && (value < INT32_MIN || value > INT32_MAX), "toInt32 reports overflow wrongly", text);
        require(e.message() == "Error: overflow " + text, "toInt32's overflow message", text, e.message());
    } catch (const ConversionException& e) {
        require(!allDigits, "toInt32 refuses an integer", text);
        require(e.message() == "conversion " + text, "toInt32's conversion message", text, e.message());
    }
}

// Sign, digits with at most one point and at least one digit, optional exponent with sign.
bool isPlainDecimal(const std::string& t, bool& nonZeroDigit) {
    std::size_t i = t[0] == '+' || t[0] == '-' ? 1 : 0;
    std::size_t digits = 0;
    bool point = false;
    nonZeroDigit = false;
    for (; i < t.size() && (isDigitByte(t[i]) || (t[i] == '.' && !point)); ++i) {
        if (t[i] == '.') {
            point = true;
        } else {
            ++digits;
            nonZeroDigit = nonZeroDigit || t[i] != '0';
        }
    }
    if (digits == 0) return false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
        const std::size_t exponentStart = i;
        while (i < t.size() && isDigitByte(t[i])) ++i;
        if (i == exponentStart) return false;
    }
    return i == t.size();
}

// Plain decimals convert as strtod does, refused when out of range or when a non-zero value
// becomes zero; the special words convert; anything else is refused.
void checkDouble(const std::string& text) {
    bool nonZeroDigit = false;
    const bool plain = isPlainDecimal(text, nonZeroDigit);
    std::optional<double> converted;
    try {
        converted = toDouble(text);
    } catch (const ConversionException& e) {
        require(e.message() == "conversion " + text + " not representable as a double", "toDouble's message", text,
                e.message());
    }
    if (!plain) {
        std::string word = text;
        if (!word.empty() && (word[0] == '+' || word[0] == '-')) word.erase(0, 1);
        for (char& c : word) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        if (word == "inf" || word == "infinity" || word == "nan") return;
        require(!converted, "toDouble accepts text that is no plain decimal", text, std::to_string(*converted));
        return;
    }
    errno = 0;
    const double expected = std::strtod(text.c_str(), nullptr);
    const bool refused = std::isinf(expected) || (expected == 0 && nonZeroDigit);
    if (refused) {
        require(!converted, "toDouble accepts a value out of range", text, converted ? std::to_string(*converted) : "");
    } else {
        require(converted && *converted == expected, "toDouble differs from strtod", text);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > longestInput) return 0;
    const std::string input(reinterpret_cast<const char*>(data), size);

    std::optional<std::string> lowered;
    try {
        lowered = lowerCase(input);
    } catch (const Utf8Exception&) {
    }
    bool ascii = true;
    for (const char c : input) ascii = ascii && static_cast<unsigned char>(c) < 127;
    if (ascii) {
        std::string expected = input;
        for (char& c : expected) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        require(lowered == expected, "lowerCase of ASCII differs from mapping A-Z", input);
    }

    const std::optional<bool> actual = numeric(input);
    const std::optional<bool> expected = lowered ? std::optional<bool>(numericByTheRules(*lowered)) : std::nullopt;
    require(actual == expected, "isNumericText differs from its rules", input,
            std::string("gives ") + (actual ? (*actual ? "true" : "false") : "a UTF-8 error"));

    if (actual.value_or(false)) {
        checkInt32(input);
        checkDouble(input);
    }
    return 0;
}
