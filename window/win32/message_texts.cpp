#include "window/win32/message_texts.hpp"

#include <atomic>
#include <string_view>

#include "window/utf16.hpp"

namespace zarn {

namespace {

// Not yet chosen: the first text shown takes the display language.
constexpr int unchosen = -1;
std::atomic<int> chosen{unchosen};

// RT_STRING in its W form (the macro follows UNICODE, which this program does not define).
const wchar_t* const stringTableType = MAKEINTRESOURCEW(6);

// The string `id` of `module`'s string table in `language`. A table is stored in blocks of 16:
// block id / 16 + 1 holds the strings from (id / 16) * 16 on, each a length and that many
// UTF-16 units. Nothing where there is no such block, or it ends short.
std::optional<std::wstring_view> stringInTable(HMODULE module, LANGID language, unsigned id) {
    HRSRC found = FindResourceExW(module, stringTableType, MAKEINTRESOURCEW(id / 16 + 1), language);
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const auto* units = static_cast<const wchar_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!units) return std::nullopt;
    const std::size_t size = SizeofResource(module, found) / sizeof(wchar_t);
    std::size_t at = 0;
    for (unsigned skipped = 0; skipped < id % 16 && at < size; ++skipped) at += 1 + static_cast<std::size_t>(units[at]);
    if (at >= size || size - at - 1 < static_cast<std::size_t>(units[at])) return std::nullopt;
    return std::wstring_view(units + at + 1, units[at]);
}

}  // namespace

LANGID languageId(Language language) {
    switch (language) {
    case Language::English: break;
    case Language::German: return MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
    case Language::French: return MAKELANGID(LANG_FRENCH, SUBLANG_FRENCH);
    case Language::Spanish: return MAKELANGID(LANG_SPANISH, SUBLANG_SPANISH_MODERN);
    case Language::Italian: return MAKELANGID(LANG_ITALIAN, SUBLANG_ITALIAN);
    case Language::BrazilianPortuguese: return MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE_BRAZILIAN);
    case Language::Russian: return MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT);
    case Language::Polish: return MAKELANGID(LANG_POLISH, SUBLANG_DEFAULT);
    case Language::Turkish: return MAKELANGID(LANG_TURKISH, SUBLANG_DEFAULT);
    case Language::Japanese: return MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
    case Language::SimplifiedChinese: return MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);
    case Language::Korean: return MAKELANGID(LANG_KOREAN, SUBLANG_KOREAN);
    }
    return MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

std::optional<std::string> findPattern(HMODULE module, Language language, MessageId id) {
    const auto text = stringInTable(module, languageId(language), static_cast<unsigned>(id));
    if (!text || text->empty()) return std::nullopt;
    return utf8FromUtf16(*text);
}

std::vector<std::string> preferredDisplayLanguages() {
    // A list of names, each ending in a zero, and one more zero at the end.
    ULONG count = 0, length = 0;
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &length) || length == 0) return {};
    std::wstring names(length, L'\0');
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &length)) return {};
    std::vector<std::string> tags;
    for (std::size_t start = 0; start < names.size() && names[start] != L'\0';) {
        const std::size_t end = names.find(L'\0', start);
        tags.push_back(utf8FromUtf16(std::wstring_view(names).substr(start, end - start)));
        start = end + 1;
    }
    return tags;
}

void useLanguage(std::optional<Language> setting) {
    // The system is asked only when the setting leaves the choice to it.
    const std::vector<std::string> preferred = setting ? std::vector<std::string>{} : preferredDisplayLanguages();
    chosen = static_cast<int>(chooseLanguage(setting, preferred));
}

Language shownLanguage() {
    if (chosen == unchosen) useLanguage(std::nullopt);
    return static_cast<Language>(chosen.load());
}

std::string shownText(const Message& message) {
    const std::optional<std::string> pattern = findPattern(GetModuleHandleW(nullptr), shownLanguage(), message.id);
    return fillPlaceholders(pattern ? *pattern : englishPattern(message.id), message.arguments);
}

}  // namespace zarn
