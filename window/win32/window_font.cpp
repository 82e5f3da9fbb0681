#include "window/win32/window_font.hpp"

#include <algorithm>

namespace zarn {

LOGFONTA logicalFontFor(const WindowSettings& settings) {
    LOGFONTA font{};
    font.lfHeight = settings.fontHeight;
    font.lfCharSet = ANSI_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    const std::size_t length = std::min(settings.faceName.size(), sizeof font.lfFaceName - 1);
    std::copy_n(settings.faceName.data(), length, font.lfFaceName);
    return font;
}

UniqueFont createFont(const WindowSettings& settings) {
    const LOGFONTA font = logicalFontFor(settings);
    return UniqueFont(CreateFontIndirectA(&font));
}

int textHeightOfX(HFONT font) {
    UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    HGDIOBJ previous = SelectObject(dc.get(), font);
    SIZE extent{};
    GetTextExtentPoint32A(dc.get(), "X", 1, &extent);
    SelectObject(dc.get(), previous);
    return extent.cy;
}

}  // namespace zarn
