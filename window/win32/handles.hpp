#pragma once
// Owning handles for the few Windows objects ZARN creates, each released exactly once, and guards
// for what is borrowed for a scope.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace zarn {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
struct MemoryDcDeleter {
    void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};
struct ModuleDeleter {
    void operator()(HMODULE module) const noexcept { FreeLibrary(module); }
};
struct KernelHandleDeleter {
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
struct WindowDeleter {
    void operator()(HWND window) const noexcept { DestroyWindow(window); }
};
struct IconDeleter {
    void operator()(HICON icon) const noexcept { DestroyIcon(icon); }
};

using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniqueMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;
using UniqueKernelHandle = std::unique_ptr<void, KernelHandleDeleter>;

// A window's display context, released when the scope ends.
class WindowDc {
public:
    explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() { ReleaseDC(window_, dc_); }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a display context for a scope; the one it replaced is selected back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// Calls `release` when a scope ends: for what is process-wide and let go once the message loop is
// over (Imm, AccPropServices).
template <void (*release)()>
class ReleasedAtScopeEnd {
public:
    ReleasedAtScopeEnd() = default;
    ~ReleasedAtScopeEnd() { release(); }
    ReleasedAtScopeEnd(const ReleasedAtScopeEnd&) = delete;
    ReleasedAtScopeEnd& operator=(const ReleasedAtScopeEnd&) = delete;
};

// A window that nothing else owns: no owner window, no parent (one that has either is destroyed
// with it, and must not be held here too).
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDeleter>;
// An icon loaded without LR_SHARED; a shared one is the system's and is never destroyed.
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

}  // namespace zarn
