#pragma once
// zarn.ini's "hotkey": a key that works anywhere in Windows, written as modifiers and one key
// ("ctrl+shift+z"). Pure logic: the result is in the numbers RegisterHotKey takes (its MOD_
// bits and a virtual-key code), which Windows' documentation fixes.

#include <cstdint>
#include <string>
#include <string_view>

#include "rational/object.hpp"
#include "window/messages.hpp"

namespace zarn {

// The modifier bits, as RegisterHotKey takes them.
inline constexpr std::uint32_t hotkeyAlt = 0x1;
inline constexpr std::uint32_t hotkeyCtrl = 0x2;
inline constexpr std::uint32_t hotkeyShift = 0x4;
inline constexpr std::uint32_t hotkeyWin = 0x8;

struct Hotkey {
    std::uint32_t modifiers = 0;   // hotkeyAlt, hotkeyCtrl, hotkeyShift and hotkeyWin
    std::uint32_t virtualKey = 0;  // Windows' virtual-key code of the key
    bool operator==(const Hotkey&) const = default;
};

// A hotkey text that names no key this program takes.
class HotkeyException : public MessageException {
public:
    explicit HotkeyException(Message shown) : MessageException(std::move(shown)) {}
};

// Reads modifiers "ctrl", "alt", "shift" and "win" joined by "+", each at most once, in any order
// and case, then one key: a letter, a digit, "f1" to "f24", "space", "insert", "delete", "home",
// "end", "pageup", "pagedown" or "pause". Blanks anywhere are ignored. Ctrl, Alt or Win must be
// among the modifiers unless the key is an F-key: a hotkey takes its key from every program, and
// a plain letter would no longer type. Throws HotkeyException naming the text (stripped, its
// control characters shown as visibleText shows them): `hotkey: "TEXT" is not a key such as
// ctrl+shift+z`, or `hotkey: "TEXT" needs ctrl, alt or win`; and Utf8Exception for text that is
// not valid UTF-8.
Hotkey parseHotkey(std::string_view text);

// The hotkey as parseHotkey reads it back: the modifiers in the order ctrl, alt, shift, win,
// then the key's name in lower case ("ctrl+shift+z", "f5", "alt+pagedown").
std::string hotkeyText(const Hotkey& hotkey);

}  // namespace zarn
