#pragma once
// The clipboard's text, as Windows holds it for every program.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "rational/object.hpp"

namespace zarn {

// The clipboard kept open by another program for longer than a paste waits (15 ms).
class ClipboardBusy : public Exception {
public:
    ClipboardBusy() : Exception("the clipboard is kept open by another program") {}
};

// The clipboard's Unicode text (CF_UNICODETEXT, which Windows also makes from the other text
// formats), up to its first zero unit, with `owner` holding the clipboard open meanwhile. Nothing
// when the clipboard holds no text; ClipboardBusy when another program keeps it open.
std::optional<std::wstring> clipboardText(HWND owner);

// Puts `text` on the clipboard as Unicode text, in place of whatever it held, with `owner` as the
// clipboard's owner. False when another program keeps the clipboard open or memory runs short.
bool putClipboardText(HWND owner, std::wstring_view text);

}  // namespace zarn
