#include "window/win32/imm.hpp"

namespace zarn {

UniqueModule Imm::module;
Imm::AssociateContextFn Imm::associateContext = nullptr;

void Imm::load() {
    module.reset(LoadLibraryExA("imm32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
    associateContext = module ? reinterpret_cast<AssociateContextFn>(
                                    reinterpret_cast<void*>(GetProcAddress(module.get(), "ImmAssociateContext")))
                              : nullptr;
}

void Imm::release() {
    associateContext = nullptr;
    module.reset();
}

void Imm::detachInputMethod(HWND window) {
    if (!module) load();
    if (associateContext) associateContext(window, nullptr);
}

}  // namespace zarn
