#include "window/language.hpp"

#include <algorithm>

namespace zarn {

namespace {

constexpr std::string_view tags[] = {"en", "de", "fr", "es", "it", "pt-BR", "ru", "pl", "tr", "ja", "zh-CN", "ko"};

bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiAlphanumeric(char c) { return isAsciiLetter(c) || (c >= '0' && c <= '9'); }
char asciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return asciiLower(x) == asciiLower(y);
           });
}

// The primary subtag of a well-formed tag; empty for anything else.
std::string_view primarySubtag(std::string_view tag) {
    std::string_view primary;
    for (std::size_t start = 0;;) {
        const std::size_t end = std::min(tag.find_first_of("-_", start), tag.size());
        const std::string_view subtag = tag.substr(start, end - start);
        if (subtag.empty() || subtag.size() > 8 || !std::all_of(subtag.begin(), subtag.end(), isAsciiAlphanumeric))
            return {};
        if (start == 0) {
            if (subtag.size() > 3 || subtag.size() < 2 || !std::all_of(subtag.begin(), subtag.end(), isAsciiLetter))
                return {};
            primary = subtag;
        }
        if (end == tag.size()) return primary;
        start = end + 1;
    }
}

}  // namespace

std::string_view languageTag(Language language) { return tags[static_cast<std::size_t>(language)]; }

std::string languageTags() {
    std::string out;
    for (const Language language : allLanguages) {
        if (!out.empty()) out += ", ";
        out += languageTag(language);
    }
    return out;
}

std::optional<Language> languageOfTag(std::string_view tag) {
    const std::string_view primary = primarySubtag(tag);
    for (const Language language : allLanguages) {
        const std::string_view own = languageTag(language);
        if (!primary.empty() && sameLetters(primary, own.substr(0, own.find('-')))) return language;
    }
    return std::nullopt;
}

Language chooseLanguage(std::optional<Language> setting, std::span<const std::string> preferred) {
    if (setting) return *setting;
    for (const std::string& tag : preferred) {
        if (const std::optional<Language> language = languageOfTag(tag)) return *language;
    }
    return Language::English;
}

}  // namespace zarn
