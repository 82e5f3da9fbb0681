#pragma once
// The process entry's guarded region.

#include <functional>

namespace zarn {

// Runs `body` and returns its result. Anything it throws is shown in the box titled
// "Unhandled Exception", and the result is then 0.
int runGuarded(const std::function<int()>& body) noexcept;

}  // namespace zarn
