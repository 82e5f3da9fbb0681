// ZARN's icon as Windows loads it from the resources, and the main window's icons at each
// resolution.

#include <cstdint>
#include <vector>

#include "tests/win32/main_window_fixture.hpp"
#include "tools/zarn-icon/icon_drawing.hpp"
#include "window/win32/resource_ids.h"

namespace zarn::testing {
namespace {

struct IconPicture {
    LONG width = 0;
    LONG height = 0;
    std::vector<std::uint8_t> rgba;  // rows top to bottom
};

// The colour bitmap of `icon` as Windows holds it: its size and pixels. Empty if `icon` is not
// an icon (any more).
IconPicture pictureOf(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    IconPicture picture;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    picture.width = bitmap.bmWidth;
    picture.height = bitmap.bmHeight;
    BITMAPINFO format{};
    format.bmiHeader = {sizeof(BITMAPINFOHEADER), bitmap.bmWidth, -bitmap.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const auto rows = static_cast<UINT>(bitmap.bmHeight);
    picture.rgba.resize(static_cast<std::size_t>(bitmap.bmWidth) * rows * 4);
    HDC screen = GetDC(nullptr);
    GetDIBits(screen, info.hbmColor, 0, rows, picture.rgba.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    for (std::size_t i = 0; i < picture.rgba.size(); i += 4) std::swap(picture.rgba[i], picture.rgba[i + 2]);  // BGRA
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return picture;
}

HICON windowIcon(HWND window, WPARAM which) {
    return reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, which, 0));
}

TEST(ZarnIcon, every_size_loads_from_the_resources_with_the_pixels_drawn_for_it) {
    for (const int size : iconSizes) {
        SCOPED_TRACE(size);
        const auto icon = static_cast<HICON>(
            LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(ZARN_ICON_ID), IMAGE_ICON, size, size, 0));
        ASSERT_NE(icon, nullptr);
        const IconPicture picture = pictureOf(icon);
        DestroyIcon(icon);
        EXPECT_EQ(picture.width, size);
        EXPECT_EQ(picture.height, size);
        EXPECT_TRUE(picture.rgba == drawIcon(size).rgba);
    }
}

TEST_F(MainWindowTest, its_icons_have_the_systems_sizes_at_its_resolution_and_the_ones_replaced_are_destroyed) {
    create();
    struct Case {
        UINT dpi;  // 0: as created, at Wine's 96 dpi
        LONG smallSide;
        LONG bigSide;
    };
    const Case cases[] = {{0, 16, 32}, {144, 24, 48}, {120, 20, 40}, {192, 32, 64}, {96, 16, 32}};
    HICON previous[2] = {nullptr, nullptr};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dpi);
        if (c.dpi) {
            RECT suggested{};
            GetWindowRect(window, &suggested);
            SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(c.dpi, c.dpi), reinterpret_cast<LPARAM>(&suggested));
        }
        const HICON icons[2] = {windowIcon(window, ICON_SMALL), windowIcon(window, ICON_BIG)};
        const IconPicture smallPicture = pictureOf(icons[0]), bigPicture = pictureOf(icons[1]);
        EXPECT_EQ(smallPicture.width, c.smallSide);
        EXPECT_EQ(smallPicture.height, c.smallSide);
        EXPECT_EQ(bigPicture.width, c.bigSide);
        EXPECT_EQ(bigPicture.height, c.bigSide);
        for (const HICON old : previous) {
            if (old) {
                EXPECT_TRUE(pictureOf(old).rgba.empty()) << "an icon replaced is still there";
            }
        }
        previous[0] = icons[0];
        previous[1] = icons[1];
    }
    DestroyWindow(window);
    for (const HICON last : previous) EXPECT_TRUE(pictureOf(last).rgba.empty()) << "an icon outlived the window";
}

}  // namespace
}  // namespace zarn::testing
