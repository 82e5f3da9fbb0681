#pragma once
// The clipboard's text, as Windows holds it for every program.

#include <windows.h>

#include <optional>
#include <string>

namespace zarn {

// The clipboard's Unicode text (CF_UNICODETEXT, which Windows also makes from the other text
// formats), up to its first zero unit, with `owner` holding the clipboard open meanwhile. Nothing
// when the clipboard holds no text or another program keeps it open.
std::optional<std::wstring> clipboardText(HWND owner);

}  // namespace zarn
