#include "window/win32/window_icons.hpp"

#include <utility>

#include "window/win32/resource_ids.h"
#include "window/win32/window_dpi.hpp"

namespace zarn {

namespace {

HICON loadZarnIcon(HINSTANCE instance, int side, UINT flags) {
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(ZARN_ICON_ID), IMAGE_ICON, side, side, flags));
}

// Gives the window `icon` as its icon of kind `which`, then lets the one it replaces go.
void replaceIcon(HWND window, WPARAM which, UniqueIcon& owned, UniqueIcon icon) {
    SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon.get()));
    owned = std::move(icon);
}

}  // namespace

IconSides iconSidesAt(int dpi) {
    return {systemMetricAtDpi(SM_CXSMICON, dpi), systemMetricAtDpi(SM_CXICON, dpi)};
}

void setClassIcons(WNDCLASSEXW& windowClass) {
    windowClass.hIcon = loadZarnIcon(windowClass.hInstance, GetSystemMetrics(SM_CXICON), LR_SHARED);
    windowClass.hIconSm = loadZarnIcon(windowClass.hInstance, GetSystemMetrics(SM_CXSMICON), LR_SHARED);
}

void WindowIcons::setFor(HWND window, int dpi) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
    const IconSides sides = iconSidesAt(dpi);
    replaceIcon(window, ICON_SMALL, smallIcon_, UniqueIcon(loadZarnIcon(instance, sides.smallSide, 0)));
    replaceIcon(window, ICON_BIG, bigIcon_, UniqueIcon(loadZarnIcon(instance, sides.bigSide, 0)));
}

}  // namespace zarn
