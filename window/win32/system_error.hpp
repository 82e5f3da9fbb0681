#pragma once
// The system's own description of a Windows error code.

#include <windows.h>

#include <string>

namespace zarn {

// FormatMessageA's text for `code`, without its trailing line break; "error N" if it has none.
std::string systemErrorText(DWORD code);

}  // namespace zarn
