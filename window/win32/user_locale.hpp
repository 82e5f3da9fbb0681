#pragma once
// What the user's locale says about writing numbers.

#include <optional>

namespace zarn {

// The decimal separator of the user's locale as the line takes it (window/entered_text.hpp):
// nothing where it is "." or cannot be read.
std::optional<char32_t> userDecimalSeparator();

}  // namespace zarn
