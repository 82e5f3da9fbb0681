#pragma once
// zarn.state on disk: beside zarn.ini, or, where that folder cannot be written, in
// %LOCALAPPDATA%\ZARN. A write replaces the whole file or leaves the old one; a read takes at
// most a few bytes and treats anything unreadable as no file.

#include <optional>
#include <string>
#include <string_view>

#include "window/kept_place.hpp"

namespace zarn {

struct KeptPlaceFiles {
    std::wstring besideSettings;  // in the current directory, where zarn.ini is read from
    std::wstring inLocalAppData;  // %LOCALAPPDATA%\ZARN\zarn.state; empty without that variable
};

// Both paths, made whole now, so that they hold whatever the current directory becomes.
KeptPlaceFiles keptPlaceFiles();

// The place in the more recently written of the two files; nothing where neither exists, or
// that one cannot be read or is damaged (readKeptPlace).
std::optional<KeptPlace> readKeptPlace(const KeptPlaceFiles& files);

// Writes the place beside zarn.ini, else in %LOCALAPPDATA%\ZARN (the folder made if missing);
// false where neither can be written.
bool writeKeptPlace(const KeptPlaceFiles& files, const KeptPlace& place);

// Replaces the file `path` with `bytes`: they go into a temporary file beside it, flushed to the
// disk, which then takes its name in one step. A crash or a full disk leaves the old file whole;
// false when the file was not replaced, and no temporary file is left behind then.
bool replaceFileWhole(const std::wstring& path, std::string_view bytes);

}  // namespace zarn
