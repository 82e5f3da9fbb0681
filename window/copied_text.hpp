#pragma once
// Text copied from the line, written as the user's locale writes decimals, so that a spreadsheet
// or a document in that locale reads the values ZARN shows. Needs no window system.

#include <optional>
#include <string>
#include <string_view>

namespace zarn {

// The UTF-8 `text` with each "." between two ASCII digits made `decimal` (the separator as
// typing takes it, window/entered_text.hpp); nothing else changes, and without a separator
// nothing at all. A paste reads it back as the same values (window/pasted_text.hpp).
std::string copiedText(std::string_view text, std::optional<char32_t> decimal);

}  // namespace zarn
