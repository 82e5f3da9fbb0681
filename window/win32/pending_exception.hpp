#pragma once
// An exception caught where a window procedure returns to Windows, kept until the message loop
// has ended: no exception may unwind through Windows' own frames.

#include <windows.h>

#include <exception>

namespace zarn {

// Keeps the exception being handled (the first one wins) and ends the message loop: during
// WM_CREATE the caller returns -1 so creation fails; otherwise `mainWindow` is destroyed,
// whose WM_DESTROY posts the quit message.
void keepPendingException(HWND mainWindow, UINT message) noexcept;

bool hasPendingException() noexcept;

// Rethrows the kept exception, if any, and forgets it.
void rethrowPendingException();

}  // namespace zarn
