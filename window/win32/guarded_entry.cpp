#include "window/win32/guarded_entry.hpp"

#include "window/win32/last_resort_box.hpp"

namespace zarn {

int runGuarded(const std::function<int()>& body) noexcept {
    try {
        return body();
    } catch (...) {
        try {
            showLastResortBox(textOfException(std::current_exception()));
        } catch (...) {
            // Not even the box could be shown (out of memory): end quietly with the same code.
        }
        return 0;
    }
}

}  // namespace zarn
