#include "window/win32/window_place_keeper.hpp"

#include <optional>

#include "window/restored_place.hpp"
#include "window/win32/monitors.hpp"
#include "window/win32/window_dpi.hpp"

namespace zarn {

void WindowPlaceKeeper::restore(HWND window, WindowSettings& settings, int& dpi) {
    files_ = keptPlaceFiles();
    const std::optional<KeptPlace> kept = readKeptPlace(files_);
    if (!kept) return;
    const RECT frame = frameAtDpi(window, kept->dpi);
    const ScreenRect frameRect{frame.left, frame.top, frame.right, frame.bottom};
    if (const std::optional<ScreenPoint> topLeft = placeToRestore(*kept, frameRect, monitorWorkAreas())) {
        const auto moveThere = [&] {
            SetWindowPos(window, nullptr, topLeft->x, topLeft->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        };
        moveThere();
        // The monitor there may have another resolution: the font is made for it. Where Windows
        // said so meanwhile (WM_DPICHANGED), it also proposed a place of its own: the kept one wins.
        if (const int there = dpiOfWindow(window); there != dpi) {
            dpi = there;
            settings.fontHeight = fontHeightAt(settings, dpi);
        }
        RECT outer{};
        GetWindowRect(window, &outer);
        if (outer.left != topLeft->x || outer.top != topLeft->y) moveThere();
    }
    if (!settings.clientWidthSet) settings.clientWidth = clientWidthAt(*kept, dpi);
    if (!settings.onTopSet) settings.onTop = kept->onTop;
}

void WindowPlaceKeeper::track(HWND window) {
    if (IsIconic(window) || IsZoomed(window)) return;
    RECT client{};
    GetWindowRect(window, &normalPlace_);
    GetClientRect(window, &client);
    normalClientWidth_ = client.right;
}

void WindowPlaceKeeper::keep(int dpi, bool onTop) const {
    if (normalClientWidth_ <= 0 || files_.besideSettings.empty()) return;
    writeKeptPlace(files_, {normalPlace_.left, normalPlace_.top, normalClientWidth_, dpi, onTop});
}

}  // namespace zarn
