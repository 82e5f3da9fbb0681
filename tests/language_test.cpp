// Which language the window speaks: zarn.ini's "language", else the user's display languages
// as Windows gives them, else English.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "window/language.hpp"
#include "window/settings.hpp"

namespace zarn {
namespace {

TEST(ChooseLanguage, the_setting_else_the_first_display_language_with_texts_else_english) {
    struct Row {
        const char* file;                    // zarn.ini
        std::vector<std::string> preferred;  // the system's answer, most preferred first
        const char* chosen;                  // the tag chosen, or the message that stops the program
    };
    const std::string tags = "(en, de, fr, es, it, pt-BR, ru, pl, tr, ja, zh-CN, ko)";
    const Row rows[] = {
        {"", {"de-DE"}, "de"},
        {"", {"de-AT"}, "de"},
        {"", {"pt-PT"}, "pt-BR"},
        {"", {"zh-TW"}, "zh-CN"},
        {"", {"nl-NL", "fr-BE", "de-DE"}, "fr"},  // the first with texts
        {"", {"en-GB", "de-DE"}, "en"},
        {"", {"nl-NL"}, "en"},
        {"", {"deu", "german", "d", ""}, "en"},  // none a tag of a language with texts
        {"", {}, "en"},
        {"language = auto", {"ko-KR"}, "ko"},
        {"language = de", {"ja-JP"}, "de"},
        {"Language = PT-br \r\n", {"en-US"}, "pt-BR"},
        {"language = zh_Hans_CN", {}, "zh-CN"},
        {"language = en", {"ru-RU"}, "en"},
        {"language = ru\nlanguage = AUTO", {"pl-PL"}, "pl"},  // the last line wins
        {"language = xx", {"de-DE"}, "language: \"xx\" is neither auto nor a language ZARN has texts for "},
        {"language = de-", {}, "language: \"de-\" is neither auto nor a language ZARN has texts for "},
        {"language =", {}, "language: \"\" is neither auto nor a language ZARN has texts for "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        WindowSettings settings = defaultSettings(96);
        try {
            loadSettings(row.file, 96, settings, [](std::string_view) { FAIL() << "a warning"; });
            EXPECT_EQ(languageTag(chooseLanguage(settings.language, row.preferred)), row.chosen);
        } catch (const ChoiceException& error) {
            EXPECT_EQ(error.message(), row.chosen + tags);
        }
    }
}

}  // namespace
}  // namespace zarn
