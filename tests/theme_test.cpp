// The palette the theme setting, the app mode and high contrast give.

#include <gtest/gtest.h>

#include "window/theme.hpp"

namespace zarn {
namespace {

TEST(ChoosePalette, high_contrast_wins_then_dark_for_dark_or_for_auto_in_dark_apps_else_light) {
    const SystemColours system{{1, 0, 0}, {2, 0, 0}, {3, 0, 0}, {4, 0, 0}, {5, 0, 0}};
    const Palette light{system.buttonFace, system.window, system.windowText, system.info, system.infoText, false};
    const Palette dark{darkBackground, darkBackground, darkText, darkTipBackground, darkText, true};
    const Palette contrast{system.window, system.window, system.windowText, system.info, system.infoText, false};
    const struct { Theme theme; bool darkApps, highContrast; Palette expected; } cases[] = {
        {Theme::Auto, false, false, light}, {Theme::Auto, true, false, dark},      {Theme::Light, true, false, light},
        {Theme::Dark, false, false, dark},  {Theme::Dark, true, true, contrast},   {Theme::Auto, true, true, contrast},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(choosePalette(c.theme, c.darkApps, c.highContrast, system), c.expected)
            << static_cast<int>(c.theme) << c.darkApps << c.highContrast;
    }
}

}  // namespace
}  // namespace zarn
