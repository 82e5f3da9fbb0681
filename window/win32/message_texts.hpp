#pragma once
// The window's texts in the user's language, from zarn.exe's string tables (messages.rc), one
// for each language, looked up here by language rather than through LoadStringW, whose choice of
// language differs between Windows versions and Wine.

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "window/language.hpp"
#include "window/messages.hpp"

namespace zarn {

// The language of the string table that holds `language`'s texts.
LANGID languageId(Language language);

// The pattern of `id` in `language`'s string table of `module` (UTF-8), or nothing where that
// table lacks it or holds it empty.
std::optional<std::string> findPattern(HMODULE module, Language language, MessageId id);

// The user's display languages, most preferred first, as tags ("de-DE"): what
// GetUserPreferredUILanguages answers; nothing where it fails.
std::vector<std::string> preferredDisplayLanguages();

// Chooses the language of every text shown from now on (chooseLanguage): `setting`, or, for
// none, the user's display language. Until it is first called, the display language is taken.
void useLanguage(std::optional<Language> setting);

// The language chosen; safe from any thread.
Language shownLanguage();

// `message` in the language chosen, from this program's string tables, its placeholders filled
// (UTF-8); where the table lacks the text, in English.
std::string shownText(const Message& message);

}  // namespace zarn
