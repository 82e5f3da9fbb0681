#pragma once
// What the user's locale says about writing numbers.

#include "window/number_format.hpp"

namespace zarn {

// The decimal separator and digit grouping of the user's locale (window/number_format.hpp); what
// cannot be read counts as not given.
NumberFormat userNumberFormat();

}  // namespace zarn
