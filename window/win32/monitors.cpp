#include "window/win32/monitors.hpp"

#include <windows.h>

namespace zarn {

std::vector<ScreenRect> monitorWorkAreas() {
    std::vector<ScreenRect> areas;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, RECT*, LPARAM context) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (!GetMonitorInfoW(monitor, &info)) return TRUE;
            const RECT& work = info.rcWork;
            try {  // no exception may unwind through Windows' frames
                reinterpret_cast<std::vector<ScreenRect>*>(context)->push_back(
                    {work.left, work.top, work.right, work.bottom});
                return TRUE;
            } catch (...) {
                return FALSE;
            }
        },
        reinterpret_cast<LPARAM>(&areas));
    return areas;
}

}  // namespace zarn
