#pragma once
// Entries of the system's libraries looked up at run time, so that zarn.exe imports only what
// every Windows has and starts without the rest.

#include <windows.h>

namespace zarn {

// The entry `name` of `library`, loaded from the system folder (never the current one) and kept
// for the process, as what it gives may be in use until the end; null where either is missing.
template <typename Fn>
Fn systemEntry(const wchar_t* library, const char* name) {
    const HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace zarn
