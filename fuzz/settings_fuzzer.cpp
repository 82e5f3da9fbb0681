// loadSettings on any bytes: only the documented conversion, overflow, choice and UTF-8 errors
// escape, and the settings, warnings and error agree with an independent reading of the file's
// structure (a leading byte-order mark, line ends, the first "=", "," between font items,
// blanks around them, "yes" or "no" for ontop and remember, "auto", "light" or "dark" for theme,
// "auto" or a language's tag for language, "locale" or "line" for copy, "none" or a key for
// hotkey); the height remade for another resolution is the one read there; the face asked for,
// the keys and values shown and a hotkey written back are what their rules say.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/blanks.hpp"
#include "fuzz/require.hpp"
#include "window/settings.hpp"

namespace {

using namespace zarn;
using namespace zarn::fuzzing;

struct Result {
    enum Kind { Loaded, Conversion, Overflow, Choice, Utf8, HotkeyRefused } kind = Loaded;
    std::string message;
    WindowSettings settings;
    std::vector<std::string> warnings;
};

std::string describe(const Result& r) {
    static const char* const names[] = {"loaded", "conversion error", "overflow error", "choice error",
                                        "UTF-8 error", "hotkey error"};
    std::string out = std::string(names[r.kind]) + " \"" + printable(r.message) + "\", face \"" +
                      printable(r.settings.faceName) + "\", height " + std::to_string(r.settings.fontHeight) +
                      ", width " + std::to_string(r.settings.clientWidth) +
                      (r.settings.onTop ? ", on top" : "") + ", theme " +
                      std::to_string(static_cast<int>(r.settings.theme)) + (r.settings.remember ? ", remember" : "") +
                      ", hotkey \"" + (r.settings.hotkey ? hotkeyText(*r.settings.hotkey) : "") + "\"" +
                      (r.settings.clientWidthSet ? ", size given" : "") + (r.settings.onTopSet ? ", ontop given" : "") +
                      ", copy " +
                      std::to_string(static_cast<int>(r.settings.copy)) + ", warnings:";
    for (const std::string& w : r.warnings) out += " \"" + printable(w) + "\"";
    return out;
}

// Runs `load` on a result, turning the documented errors into its kind and message; anything
// else escaping fails the run.
template <class Load>
Result run(std::string_view input, std::int32_t dpi, Load load) {
    Result r{Result::Loaded, {}, defaultSettings(dpi), {}};
    try {
        load(r);
    } catch (const OverflowException& e) {
        r.kind = Result::Overflow;
        r.message = e.message();
    } catch (const ConversionException& e) {
        r.kind = Result::Conversion;
        r.message = e.message();
    } catch (const ChoiceException& e) {
        r.kind = Result::Choice;
        r.message = e.message();
    } catch (const Utf8Exception& e) {
        r.kind = Result::Utf8;
        r.message = e.message();
    } catch (const HotkeyException& e) {
        r.kind = Result::HotkeyRefused;
        r.message = e.message();
    } catch (const std::exception& e) {
        fail("loadSettings lets an undocumented exception escape", input, e.what());
    }
    return r;
}

// Every CR LF, CR or LF closes a line; text after the last line end is a line when not empty.
std::vector<std::string_view> linesOf(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n') continue;
        lines.push_back(bytes.substr(start, i - start));
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < bytes.size()) lines.push_back(bytes.substr(start));
    return lines;
}

// The file applied line by line, with the numeric test and the conversions of window/.
void loadIndependently(std::string_view bytes, std::int32_t dpi, Result& r) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes = bytes.substr(3);  // a leading byte-order mark
    for (const std::string_view line : linesOf(bytes)) {
        const std::size_t equals = line.find('=');
        const std::string key = lowerCase(withoutBlanks(line.substr(0, equals)));
        const std::string_view value = equals == std::string_view::npos ? "" : line.substr(equals + 1);
        if (key == "size") {
            const std::string_view item = withoutBlanks(value);
            if (isNumericText(item)) {
                r.settings.clientWidth = toInt32(item);
                r.settings.clientWidthSet = true;
            }
        } else if (key == "ontop" || key == "remember") {
            const std::string_view item = withoutBlanks(value);
            const std::string word = lowerCase(item);
            if (word != "yes" && word != "no") {
                throw ChoiceException({key == "ontop" ? MessageId::OnTopChoice : MessageId::RememberChoice, {visibleText(item)}});
            }
            if (key == "ontop") {
                r.settings.onTop = word == "yes";
                r.settings.onTopSet = true;
            } else {
                r.settings.remember = word == "yes";
            }
        } else if (key == "hotkey") {
            // The key's own text is held to its rules by the checks below and by its table test.
            if (lowerCase(withoutBlanks(value)) == "none") {
                r.settings.hotkey.reset();
            } else {
                r.settings.hotkey = parseHotkey(value);
            }
        } else if (key == "theme") {
            const std::string_view item = withoutBlanks(value);
            const std::string word = lowerCase(item);
            if (word == "auto") {
                r.settings.theme = Theme::Auto;
            } else if (word == "light") {
                r.settings.theme = Theme::Light;
            } else if (word == "dark") {
                r.settings.theme = Theme::Dark;
            } else {
                throw ChoiceException({MessageId::ThemeChoice, {visibleText(item)}});
            }
        } else if (key == "language") {
            const std::string_view item = withoutBlanks(value);
            const std::string word = lowerCase(item);
            if (word == "auto") {
                r.settings.language.reset();
            } else if (const auto language = languageOfTag(word)) {
                r.settings.language = language;
            } else {
                throw ChoiceException({MessageId::LanguageChoice, {visibleText(item), languageTags()}});
            }
        } else if (key == "copy") {
            const std::string_view item = withoutBlanks(value);
            const std::string word = lowerCase(item);
            if (word != "locale" && word != "line") {
                throw ChoiceException({MessageId::CopyChoice, {visibleText(item)}});
            }
            r.settings.copy = word == "line" ? CopyNotation::Line : CopyNotation::Locale;
        } else if (key == "font") {
            if (value.empty()) continue;
            std::vector<std::string_view> items;
            std::size_t itemStart = 0;
            for (std::size_t i = 0; i <= value.size(); ++i) {
                if (i == value.size() || value[i] == ',') {
                    items.push_back(value.substr(itemStart, i - itemStart));
                    itemStart = i + 1;
                }
            }
            for (const std::string_view raw : items) {
                const std::string_view item = withoutBlanks(raw);
                if (!isNumericText(item)) {
                    r.settings.faceName = item;
                } else if (const auto height = fontHeightForPoints(toDouble(item), dpi)) {
                    r.settings.fontHeight = *height;
                }
            }
        } else {
            r.warnings.push_back(key);
        }
    }
}

bool sameSettings(const WindowSettings& a, const WindowSettings& b) {
    return a.faceName == b.faceName && a.fontHeight == b.fontHeight && a.clientWidth == b.clientWidth &&
           a.onTop == b.onTop && a.theme == b.theme && a.remember == b.remember && a.hotkey == b.hotkey &&
           a.clientWidthSet == b.clientWidthSet && a.onTopSet == b.onTopSet && a.language == b.language &&
           a.copy == b.copy;
}

bool isControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\x7F'; }

// The UTF-16 units of valid UTF-8, counted from its lead bytes: a four-byte sequence takes two.
std::size_t utf16Units(std::string_view utf8) {
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

// The bytes of the valid UTF-8 sequence that `lead` starts.
std::size_t sequenceLength(char lead) {
    const auto byte = static_cast<unsigned char>(lead);
    return byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
}

// The face asked for is the longest start of the face, up to its first NUL, that holds whole
// code points in at most 31 UTF-16 units.
void checkRequestedFace(std::string_view input, const std::string& face) {
    std::string asked;
    try {
        asked = requestedFaceName(face);
    } catch (const std::exception& e) {
        fail("requestedFaceName refuses a face that loadSettings took", input, e.what());
    }
    const std::string detail = "\"" + printable(asked) + "\" for \"" + printable(face) + "\"";
    require(face.starts_with(asked) && asked.find('\0') == std::string::npos && utf16Units(asked) <= 31,
            "the face asked for is no NUL-free start of the face within 31 units", input, detail);
    if (asked.size() < face.size()) {
        const std::string_view next = std::string_view(face).substr(asked.size(), sequenceLength(face[asked.size()]));
        require(next == std::string_view("\0", 1) || utf16Units(asked) + utf16Units(next) > 31,
                "the face asked for stops short", input, detail);
    }
}

// Control characters shown: none is left, and each became three bytes.
void checkShown(std::string_view input, std::string_view text, std::string_view shown) {
    const auto controls = static_cast<std::size_t>(std::count_if(text.begin(), text.end(), isControl));
    require(std::none_of(shown.begin(), shown.end(), isControl) && shown.size() == text.size() + 2 * controls,
            "a control character is not shown as its symbol", input, printable(shown));
}

// Resolutions seen in practice and the extremes.
constexpr std::int32_t resolutions[] = {96, 120, 144, 192, 72, 1, 0, -96, std::numeric_limits<std::int32_t>::max(),
                                        std::numeric_limits<std::int32_t>::min()};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::int32_t dpi = resolutions[data[0] % std::size(resolutions)];
    const std::string_view input(reinterpret_cast<const char*>(data) + 1, size - 1);

    const Result actual = run(input, dpi, [&](Result& r) {
        loadSettings(input, dpi, r.settings, [&](std::string_view key) { r.warnings.emplace_back(key); });
    });
    const Result expected = run(input, dpi, [&](Result& r) { loadIndependently(input, dpi, r); });
    require(actual.kind == expected.kind && actual.message == expected.message &&
                sameSettings(actual.settings, expected.settings) && actual.warnings == expected.warnings,
            "loadSettings differs from the independent reading", input,
            describe(actual) + "\n  instead of " + describe(expected) + "\n  dpi " + std::to_string(dpi));

    // Read at one resolution and remade for another, the height is the one the file gives there.
    if (actual.kind == Result::Loaded) {
        const std::int32_t other = resolutions[data[0] / std::size(resolutions) % std::size(resolutions)];
        const Result there = run(input, other, [&](Result& r) {
            loadSettings(input, other, r.settings, [](std::string_view) {});
        });
        require(fontHeightAt(actual.settings, other) == there.settings.fontHeight,
                "fontHeightAt differs from reading the file at that resolution", input,
                std::to_string(fontHeightAt(actual.settings, other)) + " instead of " +
                    std::to_string(there.settings.fontHeight) + " at " + std::to_string(other));
    }

    for (const std::string& key : actual.warnings) {
        require(withoutBlanks(key) == key, "a warned key keeps blanks around it", input, key);
        for (const char c : key) require(c < 'A' || c > 'Z', "a warned key keeps upper case", input, key);
        checkShown(input, key, visibleText(key));
    }
    if (actual.kind == Result::Loaded) checkRequestedFace(input, actual.settings.faceName);
    if (actual.kind == Result::Loaded && actual.settings.hotkey) {
        const Hotkey& hotkey = *actual.settings.hotkey;
        require(parseHotkey(hotkeyText(hotkey)) == hotkey, "a hotkey does not read back as written", input,
                hotkeyText(hotkey));
    }
    if (actual.kind == Result::HotkeyRefused) {
        const std::string& m = actual.message;
        const std::string_view head = "hotkey: \"";
        const bool notAKey = m.ends_with("\" is not a key such as ctrl+shift+z");
        require(m.starts_with(head) && (notAKey || m.ends_with("\" needs ctrl, alt or win")),
                "a hotkey error's message lacks its words", input, m);
        const std::string_view value = std::string_view(m).substr(head.size());
        require(std::none_of(value.begin(), value.end(), isControl), "a hotkey error hides a control character",
                input, printable(m));
    }
    if (actual.kind == Result::Choice) {
        const std::string& m = actual.message;
        const bool yesOrNo = m.starts_with("ontop") || m.starts_with("remember"), theme = m.starts_with("theme");
        const bool copy = m.starts_with("copy");
        const std::string_view head = m.starts_with("ontop")      ? "ontop: \""
                                      : m.starts_with("remember") ? "remember: \""
                                      : theme                     ? "theme: \""
                                      : copy                      ? "copy: \""
                                                                  : "language: \"";
        const std::string languages = "\" is neither auto nor a language ZARN has texts for (" + languageTags() + ")";
        const std::string tail = yesOrNo ? "\" is neither yes nor no"
                                 : theme ? "\" is neither auto, light nor dark"
                                 : copy  ? "\" is neither locale nor line"
                                         : languages;
        require(m.starts_with(head) && m.ends_with(tail), "a choice error's message lacks its words", input, m);
        const std::string_view value = std::string_view(m).substr(head.size(), m.size() - head.size() - tail.size());
        require(std::none_of(value.begin(), value.end(), isControl), "a choice error hides a control character",
                input, printable(m));
    }
    const std::string_view prefix = actual.kind == Result::Overflow ? "Error: overflow " : "conversion ";
    if (actual.kind == Result::Overflow || actual.kind == Result::Conversion) {
        require(actual.message.starts_with(prefix), "a conversion error's message lacks its prefix", input,
                actual.message);
    }
    return 0;
}
