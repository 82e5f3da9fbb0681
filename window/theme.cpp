#include "window/theme.hpp"

namespace zarn {

Palette choosePalette(Theme theme, bool darkApps, bool highContrast, const SystemColours& system) {
    if (highContrast) return {system.window, system.window, system.windowText, system.info, system.infoText, false};
    if (theme == Theme::Dark || (theme == Theme::Auto && darkApps)) {
        return {darkBackground, darkBackground, darkText, darkTipBackground, darkText, true};
    }
    return {system.buttonFace, system.window, system.windowText, system.info, system.infoText, false};
}

}  // namespace zarn
