// The hotkey's text: what each text gives, read back as written, or why it is refused.

#include <gtest/gtest.h>

#include <string>

#include "window/hotkey.hpp"
#include "window/utf8.hpp"

namespace zarn {
namespace {

constexpr std::uint32_t ctrl = hotkeyCtrl, alt = hotkeyAlt, shift = hotkeyShift, win = hotkeyWin;

// A valid text: its modifiers, its virtual-key code and the text it is written back as.
struct HotkeyCase {
    std::string text;
    std::uint32_t modifiers;
    std::uint32_t virtualKey;
    std::string normal;
};

const HotkeyCase valid[] = {
    {" Shift + CTRL\t+ Z ", ctrl | shift, 'Z', "ctrl+shift+z"},
    {"win+alt+shift+ctrl+pause", ctrl | alt | shift | win, 0x13, "ctrl+alt+shift+win+pause"},
    {"alt+0", alt, '0', "alt+0"},
    {"F1", 0, 0x70, "f1"},  // an F-key alone, or with Shift only
    {"shift+f24", shift, 0x87, "shift+f24"},
    {"ctrl+space", ctrl, 0x20, "ctrl+space"},
    {"alt+insert", alt, 0x2D, "alt+insert"},
    {"alt+Delete", alt, 0x2E, "alt+delete"},
    {"ctrl+home", ctrl, 0x24, "ctrl+home"},
    {"ctrl+end", ctrl, 0x23, "ctrl+end"},
    {"ctrl+PageUp", ctrl, 0x21, "ctrl+pageup"},
    {"ctrl+page down", ctrl, 0x22, "ctrl+pagedown"},
};

// An invalid text and the message it is refused with.
const std::pair<std::string, std::string> refused[] = {
    {"", "hotkey: \"\" is not a key such as ctrl+shift+z"},
    {"ctrl+", "hotkey: \"ctrl+\" is not a key such as ctrl+shift+z"},
    {"ctrl++z", "hotkey: \"ctrl++z\" is not a key such as ctrl+shift+z"},
    {"ctrl+ctrl+z", "hotkey: \"ctrl+ctrl+z\" is not a key such as ctrl+shift+z"},
    {"control+z", "hotkey: \"control+z\" is not a key such as ctrl+shift+z"},
    {"ctrl+f01", "hotkey: \"ctrl+f01\" is not a key such as ctrl+shift+z"},
    {"ctrl+f25", "hotkey: \"ctrl+f25\" is not a key such as ctrl+shift+z"},
    {"ctrl+é", "hotkey: \"ctrl+é\" is not a key such as ctrl+shift+z"},
    {"ctrl+\u212A", "hotkey: \"ctrl+\u212A\" is not a key such as ctrl+shift+z"},  // Kelvin sign, lower case "k"
    {std::string("ctrl+\0z", 7), "hotkey: \"ctrl+␀z\" is not a key such as ctrl+shift+z"},
    {"shift+z", "hotkey: \"shift+z\" needs ctrl, alt or win"},
};

TEST(ParseHotkey, reads_modifiers_and_one_key_and_writes_them_back_in_one_form) {
    for (const HotkeyCase& c : valid) {
        SCOPED_TRACE(c.text);
        const Hotkey hotkey = parseHotkey(c.text);
        EXPECT_EQ(hotkey.modifiers, c.modifiers);
        EXPECT_EQ(hotkey.virtualKey, c.virtualKey);
        EXPECT_EQ(hotkeyText(hotkey), c.normal);
        EXPECT_EQ(parseHotkey(hotkeyText(hotkey)), hotkey);
    }
    for (const auto& [text, message] : refused) {
        try {
            parseHotkey(text);
            ADD_FAILURE() << "accepted: " << testing::PrintToString(text);
        } catch (const HotkeyException& error) {
            EXPECT_EQ(error.message(), message);
        }
    }
    EXPECT_THROW(parseHotkey("ctrl+\xE9"), Utf8Exception);
}

}  // namespace
}  // namespace zarn
