#include "window/win32/pending_exception.hpp"

namespace zarn {

namespace {
std::exception_ptr pending;
}

void keepPendingException(HWND mainWindow, UINT message) noexcept {
    if (!pending) pending = std::current_exception();
    if (message == WM_CREATE) return;  // the caller fails the creation
    if (message == WM_DESTROY || message == WM_NCDESTROY || !IsWindow(mainWindow))
        PostQuitMessage(0);  // already going: just end the loop
    else
        DestroyWindow(mainWindow);
}

bool hasPendingException() noexcept { return pending != nullptr; }

void rethrowPendingException() {
    if (!pending) return;
    std::exception_ptr kept = pending;
    pending = nullptr;
    std::rethrow_exception(kept);
}

}  // namespace zarn
