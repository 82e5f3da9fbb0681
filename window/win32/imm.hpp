#pragma once
// The input-method library, loaded at run time so that the input line can be kept free of any
// input method editor. Never instantiated: its state is process-wide.

#include <windows.h>

#include "rational/object.hpp"
#include "window/win32/handles.hpp"

namespace zarn {

class Imm : public Object {
public:
    // ImmAssociateContext's published signature.
    using AssociateContextFn = HANDLE(WINAPI*)(HWND window, HANDLE inputContext);

    Imm() = delete;

    // Loads "imm32.dll" from the system folder only (never from the current folder) and looks
    // up ImmAssociateContext; either may stay null where the system lacks them.
    static void load();
    // Releases the library; the entry becomes null.
    static void release();

    // Detaches any input method from `window`, loading the library first if it is not loaded
    // (it is needed for nothing else, so the program starts without it); does nothing when the
    // entry is missing.
    static void detachInputMethod(HWND window);

private:
    static UniqueModule module;
    static AssociateContextFn associateContext;
};

// Releases Imm, if it was loaded, when a scope ends.
using ImmReleased = ReleasedAtScopeEnd<&Imm::release>;

}  // namespace zarn
