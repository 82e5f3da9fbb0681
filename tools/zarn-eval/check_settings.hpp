#pragma once
// zarn-eval --settings: reads a configuration file as the calculator window would.

#include <cstdint>

namespace zarn {

// Prints the settings that the file at `path` gives at `dpi` ("face: ", "height: ", "width: ",
// "ontop: yes" when on top, "theme: light" or "theme: dark" when the file names one,
// "remember: yes" when it says so, "hotkey: " and the key as hotkeyText writes it when it gives
// one, "language: TAG" with the tag of the texts chosen when the file names a language, then
// "warning: KEY" per unknown key) and returns 0. A file that does not exist gives the
// defaults. A refused value or invalid UTF-8 prints "zarn-eval: MESSAGE" on standard error,
// nothing on standard output, and returns 1; so does a file that cannot be read. Every message
// is English, whatever the window's language.
int checkSettings(const char* path, std::int32_t dpi);

}  // namespace zarn
