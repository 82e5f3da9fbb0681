#pragma once
// The clipboard's text, as Windows holds it for every program.

#include <windows.h>

#include <optional>
#include <string>

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

}  // namespace zarn
