#include "window/win32/imm.hpp"

namespace zarn {

HMODULE Imm::module = nullptr;
Imm::AssociateContextFn Imm::associateContext = nullptr;

void Imm::load() {
    module = LoadLibraryExA("imm32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    associateContext = module ? reinterpret_cast<AssociateContextFn>(
                                    reinterpret_cast<void*>(GetProcAddress(module, "ImmAssociateContext")))
                              : nullptr;
}

void Imm::release() {
    associateContext = nullptr;
    if (module) FreeLibrary(module);
    module = nullptr;
}

void Imm::detachInputMethod(HWND window) {
    if (associateContext) associateContext(window, nullptr);
}

}  // namespace zarn
