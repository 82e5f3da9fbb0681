#include "window/win32/visual_styles.hpp"

#include "window/win32/system_entry.hpp"

namespace zarn {

void useVisualStyles(HWND window, bool on) {
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    static const auto setWindowTheme = systemEntry<SetWindowThemeFn>(L"uxtheme.dll", "SetWindowTheme");
    if (!setWindowTheme) return;
    // Empty names match no theme; null names take away what was set before.
    setWindowTheme(window, on ? nullptr : L"", on ? nullptr : L"");
}

}  // namespace zarn
