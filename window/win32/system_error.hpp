#pragma once
// The system's own description of a Windows error code.

#include <windows.h>

#include <string>

namespace zarn {

// FormatMessageW's text for `code` in UTF-8, without its trailing line break; "error N" if it
// has none.
std::string systemErrorText(DWORD code);

}  // namespace zarn
