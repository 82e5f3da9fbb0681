#include "window/pasted_text.hpp"

#include <algorithm>
#include <vector>

#include "window/utf8.hpp"

namespace zarn {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isCellEnd(char c) { return c == '\r' || c == '\n' || c == '\t'; }
bool isBlank(char c) { return c == ' ' || c == '\v' || c == '\f'; }  // inside a cell
bool continuesWord(char c) {
    return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

constexpr std::string_view minusSign = "\xE2\x88\x92";  // U+2212

// What a character of the paste is to a number.
enum class Mark { Other, Digit, Decimal, Group, Point };

// Marks the paste's characters by the locale's separators, comparing their UTF-8 bytes: no
// sequence starts inside another, so any bytes can be read this way.
class Marks {
public:
    explicit Marks(const NumberFormat& format) {
        if (format.decimal) {
            appendUtf8(decimal_, *format.decimal);
        } else if (format.grouping) {
            decimal_ = ".";
        }
        if (!format.grouping) return;
        for (const char32_t c : groupSeparatorsLike(format.grouping->separator)) appendUtf8(groups_.emplace_back(), c);
    }

    // The mark of the character at text[i] and its length in bytes.
    Mark at(std::string_view text, std::size_t i, std::size_t& length) const {
        length = 1;
        if (isDigit(text[i])) return Mark::Digit;
        const std::string_view rest = text.substr(i);
        if (!decimal_.empty() && rest.starts_with(decimal_)) {
            length = decimal_.size();
            return Mark::Decimal;
        }
        for (const std::string& group : groups_) {
            if (rest.starts_with(group)) {
                length = group.size();
                return Mark::Group;
            }
        }
        return text[i] == '.' ? Mark::Point : Mark::Other;
    }

private:
    std::string decimal_;              // empty where the paste reads none
    std::vector<std::string> groups_;  // the group separator and those standing in for it
};

// A run of marked characters, and within it the candidate from its first digit to its last.
struct Candidate {
    std::size_t runStart = 0, start = 0, end = 0, runEnd = 0;
    bool standsAlone = false;     // no digit of the line continues it
    bool grouped = false;
    bool fraction = false;        // grouped, with a decimal part
    std::size_t separators = 0;   // group separators, when grouped
    bool decimalBetweenDigits = false;
};

// A number read at a run, as the line writes it, and where the paste goes on after it.
struct Number {
    std::string text;
    std::size_t end = 0;
    bool plain = false;           // digits with at most one "." between two of them
    bool refused = false;         // written out, it would be longer than the paste may grow
};

bool isPlainNumber(std::string_view text) {
    const std::size_t point = text.find('.');
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return isDigit(c) || c == '.'; }) &&
           (point == std::string_view::npos ||
            (point > 0 && point + 1 < text.size() && text.find('.', point + 1) == std::string_view::npos));
}

// The exact value of `mantissa` (a plain number) times 10^exponent, without leading zeros before
// its point nor trailing zeros after it.
std::string writtenOut(std::string_view mantissa, long exponent) {
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    std::string digits(mantissa.substr(0, point));
    if (point < mantissa.size()) digits += mantissa.substr(point + 1);
    const long newPoint = static_cast<long>(point) + exponent;
    std::string out;
    if (newPoint <= 0) {
        out = "0." + std::string(static_cast<std::size_t>(-newPoint), '0') + digits;
    } else if (static_cast<std::size_t>(newPoint) >= digits.size()) {
        out = digits + std::string(static_cast<std::size_t>(newPoint) - digits.size(), '0');
    } else {
        const auto whole = static_cast<std::size_t>(newPoint);
        out = digits.substr(0, whole) + "." + digits.substr(whole);
    }
    if (out.find('.') != std::string::npos) {
        out.erase(out.find_last_not_of('0') + 1);
        if (out.back() == '.') out.pop_back();
    }
    std::size_t leading = 0;  // zeros before the first digit, but one before the point or alone
    while (leading + 1 < out.size() && out[leading] == '0' && out[leading + 1] != '.') ++leading;
    return out.substr(leading);
}

class PasteReader {
public:
    PasteReader(std::string_view text, const NumberFormat& format, PasteSite site)
        : text_(text), marks_(format), grouping_(format.grouping), site_(site) {}

    std::optional<std::string> read() {
        findWhatThePasteHolds();
        std::string out;
        out.reserve(text_.size());
        enterCell(0);
        for (std::size_t i = 0; i < text_.size();) {
            if (isCellEnd(text_[i])) {
                i += text_[i] == '\r' && i + 1 < text_.size() && text_[i + 1] == '\n' ? 2u : 1u;
                out += ' ';
                enterCell(i);
                continue;
            }
            if (const std::size_t sign = signLengthAt(i); sign > 0) {
                const Number number = numberAt(i + sign, i);
                if (number.refused) return std::nullopt;
                if (number.plain) {
                    out += "(-" + number.text + ")";
                    i = number.end;
                    continue;
                }
            }
            std::size_t length = 0;
            if (marks_.at(text_, i, length) == Mark::Other) {
                out.append(text_.substr(i, length));
                i += length;
                continue;
            }
            const Number number = numberAt(i, i);
            if (number.refused) return std::nullopt;
            out += number.text;
            i = number.end;
        }
        return out;
    }

private:
    // The group separator, where the paste reads one.
    char32_t groupSeparator() const { return grouping_ ? grouping_->separator : 0; }

    // What decides how candidates read: whether a "," stands outside grouped candidates (for a
    // group separator ","), and whether any candidate has the decimal separator between digits.
    void findWhatThePasteHolds() {
        std::size_t groupedCommas = 0;
        for (std::size_t i = 0, length = 0; i < text_.size();) {
            if (marks_.at(text_, i, length) == Mark::Other) {
                i += length;
                continue;
            }
            const Candidate candidate = candidateAt(i);
            decimalNumberSeen_ = decimalNumberSeen_ || candidate.decimalBetweenDigits;
            if (candidate.grouped) groupedCommas += candidate.separators;
            i = candidate.runEnd;
        }
        commaRow_ = groupSeparator() == U',' &&
                    static_cast<std::size_t>(std::count(text_.begin(), text_.end(), ',')) > groupedCommas;
    }

    void enterCell(std::size_t start) {
        cellStart_ = start;
        std::size_t end = std::min(text_.find_first_of("\r\n\t", start), text_.size());
        while (start < end && isBlank(text_[start])) ++start;
        while (end > start && isBlank(text_[end - 1])) --end;
        trimmedStart_ = start;
        trimmedEnd_ = end;
    }

    bool digitBefore(std::size_t i) const { return i == 0 ? site_.digitBefore : isDigit(text_[i - 1]); }
    bool digitAt(std::size_t i) const { return i == text_.size() ? site_.digitAfter : isDigit(text_[i]); }

    // The length of a minus sign at text[i] that stands at the start of a cell or after a blank,
    // directly before a digit; 0 for anything else.
    std::size_t signLengthAt(std::size_t i) const {
        const std::size_t length = text_[i] == '-' ? 1 : text_.substr(i).starts_with(minusSign) ? minusSign.size() : 0;
        if (length == 0 || i + length >= text_.size() || !isDigit(text_[i + length])) return 0;
        const char before = i > 0 ? text_[i - 1] : ' ';
        const bool standsFirst =
            i == cellStart_ ? !(i == 0 && site_.digitBefore) : before == ' ' || (before >= '\t' && before <= '\r');
        return standsFirst ? length : 0;
    }

    // Whether `lengths`, the digit groups of a number's integer part from the left, follow the
    // locale's sizes from the right.
    bool followSizes(const std::vector<std::size_t>& lengths) const {
        const DigitGrouping& grouping = *grouping_;
        for (std::size_t j = 0; j < lengths.size(); ++j) {  // j: the group's place from the right
            const std::size_t length = lengths[lengths.size() - 1 - j];
            const bool listed = j < grouping.sizes.size() || grouping.lastSizeRepeats;
            const std::size_t size = j < grouping.sizes.size() ? grouping.sizes[j] : grouping.sizes.back();
            if (j + 1 < lengths.size() ? !listed || length != size : listed && length > size) return false;
        }
        return true;
    }

    Candidate candidateAt(std::size_t runStart) {
        Candidate c;
        c.runStart = runStart;
        c.start = text_.size();
        std::size_t i = runStart, length = 0;
        for (Mark mark; i < text_.size() && (mark = marks_.at(text_, i, length)) != Mark::Other; i += length) {
            if (mark != Mark::Digit) continue;
            c.start = std::min(c.start, i);
            c.end = i + 1;
        }
        c.runEnd = i;
        if (c.start >= c.end) {
            c.start = c.end = c.runEnd;
            return c;
        }
        c.standsAlone = !(runStart == 0 && site_.digitBefore) && !(c.runEnd == text_.size() && site_.digitAfter);
        // INT [D FRAC]: digit groups between group separators, then the decimal part.
        groupLengths_.clear();
        std::size_t digits = 0;
        bool wellFormed = true;
        Mark previous = Mark::Other;
        for (std::size_t at = c.start; at < c.end; at += length) {
            const Mark mark = marks_.at(text_, at, length);
            switch (mark) {
            case Mark::Digit: ++digits; break;
            case Mark::Group:
                wellFormed = wellFormed && !c.fraction && digits > 0;
                groupLengths_.push_back(digits);
                digits = 0;
                ++c.separators;
                break;
            case Mark::Decimal:
                c.decimalBetweenDigits =
                    c.decimalBetweenDigits || (previous == Mark::Digit && isDigit(text_[at + length]));
                wellFormed = wellFormed && !c.fraction && digits > 0;
                groupLengths_.push_back(digits);
                digits = 0;
                c.fraction = true;
                break;
            default: wellFormed = false; break;
            }
            previous = mark;
        }
        if (!c.fraction) groupLengths_.push_back(digits);
        c.grouped = wellFormed && grouping_ && c.standsAlone && !commaRow_ && groupLengths_.size() >= 2 &&
                    followSizes(groupLengths_);
        if (!c.grouped) c.separators = 0, c.fraction = false;
        return c;
    }

    // Whether a grouped candidate, its sign starting at `from`, is one number.
    bool isOneNumber(const Candidate& c, std::size_t from) const {
        const char32_t separator = groupSeparator();
        const bool fillsCell = from == trimmedStart_ && c.end == trimmedEnd_;
        return c.fraction || c.separators >= 2 || (separator != U'.' && separator != U',') ||
               (fillsCell && (separator != U'.' || decimalNumberSeen_));
    }

    // text[from, to) as written, but for the decimal separator between two digits, which is ".".
    void appendAsWritten(std::string& out, std::size_t from, std::size_t to) const {
        for (std::size_t i = from, length = 0; i < to; i += length) {
            const Mark mark = marks_.at(text_, i, length);
            if (mark == Mark::Decimal && digitBefore(i) && digitAt(i + length)) {
                out += '.';
            } else {
                out.append(text_.substr(i, length));
            }
        }
    }

    void appendGrouped(std::string& out, const Candidate& c) const {
        for (std::size_t i = c.start, length = 0; i < c.end; i += length) {
            const Mark mark = marks_.at(text_, i, length);
            if (mark == Mark::Digit) out += text_[i];
            if (mark == Mark::Decimal) out += '.';
        }
    }

    // The number of the run at `runStart`, whose sign (if any) starts at `from`.
    Number numberAt(std::size_t runStart, std::size_t from) {
        const Candidate c = candidateAt(runStart);
        Number number;
        appendAsWritten(number.text, runStart, c.start);
        if (c.grouped && isOneNumber(c, from)) {
            appendGrouped(number.text, c);
        } else {
            appendAsWritten(number.text, c.start, c.end);
        }
        appendAsWritten(number.text, c.end, c.runEnd);
        number.end = c.runEnd;
        number.plain = c.standsAlone && c.start == runStart && c.end == c.runEnd && isPlainNumber(number.text);
        if (number.plain && (runStart == 0 || !continuesWord(text_[runStart - 1]))) readExponent(number);
        return number;
    }

    // "E" or "e", an optional sign and digits after a plain number, and nothing after them that
    // continues a word or a number: the number is written out.
    void readExponent(Number& number) {
        std::size_t i = number.end;
        if (i >= text_.size() || (text_[i] != 'E' && text_[i] != 'e')) return;
        ++i;
        bool negative = false;
        if (i < text_.size() && (text_[i] == '+' || text_[i] == '-')) {
            negative = text_[i++] == '-';
        } else if (text_.substr(i).starts_with(minusSign)) {
            negative = true;
            i += minusSign.size();
        }
        const std::size_t digitsStart = i;
        unsigned long exponent = 0;
        for (; i < text_.size() && isDigit(text_[i]); ++i) {
            exponent = std::min<unsigned long>(exponent * 10 + static_cast<unsigned long>(text_[i] - '0'),
                                               longestPastedExponent + 1);
        }
        if (i == digitsStart) return;
        std::size_t length = 0;
        const bool continues = i == text_.size() ? site_.digitAfter
                                                 : continuesWord(text_[i]) || text_[i] == '.' ||
                                                       marks_.at(text_, i, length) == Mark::Decimal;
        if (continues) return;
        number.end = i;
        if (exponent > longestPastedExponent) {
            number.refused = true;
            return;
        }
        number.text = writtenOut(number.text, negative ? -static_cast<long>(exponent) : static_cast<long>(exponent));
        writtenOutBytes_ += number.text.size();
        number.refused = writtenOutBytes_ > mostWrittenOutBytes;
    }

    std::string_view text_;
    Marks marks_;
    const std::optional<DigitGrouping>& grouping_;
    PasteSite site_;
    bool commaRow_ = false;
    bool decimalNumberSeen_ = false;
    std::size_t cellStart_ = 0, trimmedStart_ = 0, trimmedEnd_ = 0;
    std::size_t writtenOutBytes_ = 0;
    std::vector<std::size_t> groupLengths_;  // kept between candidates: no allocation for each
};

}  // namespace

std::optional<std::string> pastedText(std::string_view text, const NumberFormat& format, PasteSite site) {
    return PasteReader(text, format, site).read();
}

}  // namespace zarn
