// zarn.exe's process entry: the calculator window inside the guarded region.

#include <windows.h>

#include "window/win32/announcer.hpp"
#include "window/win32/fault_handlers.hpp"
#include "window/win32/guarded_entry.hpp"
#include "window/win32/imm.hpp"
#include "window/win32/main_window.hpp"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    zarn::installFaultHandlers();
    return zarn::runGuarded([&] {
        const zarn::ImmReleased imm;
        const zarn::AccPropServicesReleased accessibility;  // COM left after the message loop
        return zarn::runMainWindow(instance, showCommand);
    });
}
