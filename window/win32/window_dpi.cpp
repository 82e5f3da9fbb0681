#include "window/win32/window_dpi.hpp"

#include "window/win32/handles.hpp"

namespace zarn {

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND window);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT* rect, DWORD style, BOOL menu, DWORD exStyle, UINT dpi);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int index, UINT dpi);

// Looked up at run time: imported, they would stop zarn.exe from starting where they are missing.
template <class Function>
Function user32Entry(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(user32, name)));
}

}  // namespace

int dpiOfWindow(HWND window) {
    static const auto getDpiForWindow = user32Entry<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow) return static_cast<int>(getDpiForWindow(window));
    return dpiOfScreen();
}

int dpiOfScreen() {
    const WindowDc screen(nullptr);
    return GetDeviceCaps(screen.get(), LOGPIXELSY);
}

RECT frameAtDpi(HWND window, int dpi) {
    return frameAtDpi(static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)),
                      static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)), dpi);
}

RECT frameAtDpi(DWORD style, DWORD exStyle, int dpi) {
    static const auto adjustForDpi = user32Entry<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
    RECT frame{0, 0, 0, 0};
    if (adjustForDpi)
        adjustForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    return frame;
}

int systemMetricAtDpi(int index, int dpi) {
    static const auto metricForDpi = user32Entry<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    return metricForDpi ? metricForDpi(index, static_cast<UINT>(dpi)) : GetSystemMetrics(index);
}

}  // namespace zarn
