#pragma once
// The languages ZARN's window speaks, and which one it speaks: the one zarn.ini names, else the
// first of the user's display languages it has texts for, else English. Pure logic: the system's
// answer comes in as language tags.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zarn {

enum class Language {
    English,
    German,
    French,
    Spanish,
    Italian,
    BrazilianPortuguese,
    Russian,
    Polish,
    Turkish,
    Japanese,
    SimplifiedChinese,
    Korean,
};

inline constexpr Language allLanguages[] = {
    Language::English, Language::German,   Language::French,  Language::Spanish,
    Language::Italian, Language::BrazilianPortuguese, Language::Russian, Language::Polish,
    Language::Turkish, Language::Japanese, Language::SimplifiedChinese, Language::Korean,
};

// "en", "de", "fr", "es", "it", "pt-BR", "ru", "pl", "tr", "ja", "zh-CN", "ko".
std::string_view languageTag(Language language);

// Every language's tag, in that order, separated by ", ".
std::string languageTags();

// The language a tag names (BCP 47, as zarn.ini and Windows write them; "_" counts as "-"): the
// one with its primary subtag, compared without regard to case, so "de-AT" is German and
// "pt-PT" Brazilian Portuguese. Nothing for a tag of another language, or for text that is no
// tag (subtags of 1 to 8 letters and digits, the first of 2 or 3 letters).
std::optional<Language> languageOfTag(std::string_view tag);

// The language the window speaks: `setting` when zarn.ini names one, else the first of the
// user's display languages (`preferred`, most preferred first, as tags) there are texts for,
// else English.
Language chooseLanguage(std::optional<Language> setting, std::span<const std::string> preferred);

}  // namespace zarn
