#pragma once
// The input line's font, made from the window settings, and the height of one line of it.

#include <windows.h>

#include "window/settings.hpp"
#include "window/win32/handles.hpp"

namespace zarn {

// The logical font: everything zero but the height, DEFAULT_CHARSET, CLEARTYPE_QUALITY and the
// face name in UTF-16, cut to the 31 units the record holds (requestedFaceName), so that a face
// in any script can be chosen.
LOGFONTW logicalFontFor(const WindowSettings& settings);

UniqueFont createFont(const WindowSettings& settings);

// The height of the text "X" in `font`: the client height of a one-line window.
int textHeightOfX(HFONT font);

}  // namespace zarn
