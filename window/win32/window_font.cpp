#include "window/win32/window_font.hpp"

#include <algorithm>
#include <string>

#include "window/utf16.hpp"

namespace zarn {

LOGFONTW logicalFontFor(const WindowSettings& settings) {
    LOGFONTW font{};
    font.lfHeight = settings.fontHeight;
    font.lfCharSet = DEFAULT_CHARSET;  // the face name decides, whatever its script
    font.lfQuality = CLEARTYPE_QUALITY;
    // Already cut to what the record holds, never inside a character; the copy only makes sure.
    const std::wstring face = utf16FromUtf8(requestedFaceName(settings.faceName));
    std::copy_n(face.data(), std::min(face.size(), std::size(font.lfFaceName) - 1), font.lfFaceName);
    return font;
}

UniqueFont createFont(const WindowSettings& settings) {
    const LOGFONTW font = logicalFontFor(settings);
    return UniqueFont(CreateFontIndirectW(&font));
}

int textHeightOfX(HFONT font) {
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const SelectedObject selected(dc.get(), font);
    SIZE extent{};
    GetTextExtentPoint32W(dc.get(), L"X", 1, &extent);
    return extent.cy;
}

}  // namespace zarn
