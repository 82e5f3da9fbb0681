#include "window/hotkey.hpp"

#include <algorithm>
#include <optional>

#include "rational/text.hpp"
#include "window/settings.hpp"
#include "window/utf8.hpp"

namespace zarn {

namespace {

// A name in zarn.ini and its number: a virtual-key code, or a modifier's bit.
struct Named {
    std::string_view name;
    std::uint32_t code;
};

// The keys with a name, and their virtual-key codes (VK_SPACE, VK_INSERT and so on).
constexpr Named namedKeys[] = {
    {"space", 0x20}, {"insert", 0x2D}, {"delete", 0x2E}, {"home", 0x24},
    {"end", 0x23},   {"pageup", 0x21}, {"pagedown", 0x22}, {"pause", 0x13},
};

constexpr Named modifierNames[] = {
    {"ctrl", hotkeyCtrl}, {"alt", hotkeyAlt}, {"shift", hotkeyShift}, {"win", hotkeyWin},
};

constexpr std::uint32_t virtualKeyF1 = 0x70;  // F1 to F24 follow one another
constexpr int fKeys = 24;

bool isFKey(std::uint32_t virtualKey) { return virtualKey >= virtualKeyF1 && virtualKey < virtualKeyF1 + fKeys; }

// The virtual-key code of a key's name in lower case; empty for any other text. Letters and
// digits have their upper-case ASCII codes.
std::optional<std::uint32_t> keyNamed(std::string_view name) {
    if (name.size() == 1 && ((name[0] >= 'a' && name[0] <= 'z') || text::isDigit(name[0]))) {
        return static_cast<std::uint32_t>(name[0] >= 'a' ? name[0] - 'a' + 'A' : name[0]);
    }
    // "f1" to "f24", without leading zeros.
    if (name.size() >= 2 && name.size() <= 3 && name[0] == 'f' && name[1] != '0' &&
        std::all_of(name.begin() + 1, name.end(), text::isDigit)) {
        int number = 0;
        for (const char digit : name.substr(1)) number = number * 10 + (digit - '0');
        if (number <= fKeys) return virtualKeyF1 + static_cast<std::uint32_t>(number - 1);
    }
    for (const Named& key : namedKeys) {
        if (key.name == name) return key.code;
    }
    return std::nullopt;
}

}  // namespace

Hotkey parseHotkey(std::string_view text) {
    const std::string_view item = text::stripped(text);
    constexpr MessageId notAKey = MessageId::HotkeyNotAKey;
    const auto refuse = [item](MessageId why) { return HotkeyException({why, {visibleText(item)}}); };
    // Every byte is read as UTF-8 first, so ill-formed text is refused as elsewhere in zarn.ini;
    // then only ASCII names a key (a lower-cased Kelvin sign must not become "k").
    for (std::size_t i = 0; i < item.size();) decodeUtf8(item, i);
    std::string compact;
    for (const char c : item) {
        if (static_cast<unsigned char>(c) >= 0x80) throw refuse(notAKey);
        if (!text::isBlank(c)) compact += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }

    Hotkey hotkey;
    std::string_view rest = compact;
    for (std::size_t plus; (plus = rest.find('+')) != std::string_view::npos; rest.remove_prefix(plus + 1)) {
        const std::string_view name = rest.substr(0, plus);
        const auto modifier = std::find_if(std::begin(modifierNames), std::end(modifierNames),
                                           [name](const Named& m) { return m.name == name; });
        if (modifier == std::end(modifierNames) || (hotkey.modifiers & modifier->code) != 0) {
            throw refuse(notAKey);
        }
        hotkey.modifiers |= modifier->code;
    }
    const std::optional<std::uint32_t> key = keyNamed(rest);
    if (!key) throw refuse(notAKey);
    hotkey.virtualKey = *key;
    if ((hotkey.modifiers & (hotkeyCtrl | hotkeyAlt | hotkeyWin)) == 0 && !isFKey(*key)) {
        throw refuse(MessageId::HotkeyNeedsModifier);
    }
    return hotkey;
}

std::string hotkeyText(const Hotkey& hotkey) {
    std::string out;
    for (const Named& modifier : modifierNames) {
        if ((hotkey.modifiers & modifier.code) != 0) (out += modifier.name) += '+';
    }
    const std::uint32_t key = hotkey.virtualKey;
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        out += static_cast<char>(key >= 'A' ? key - 'A' + 'a' : key);
    } else if (isFKey(key)) {
        out += 'f';
        out += std::to_string(key - virtualKeyF1 + 1);
    } else {
        for (const Named& named : namedKeys) {
            if (named.code == key) out += named.name;
        }
    }
    return out;
}

}  // namespace zarn
