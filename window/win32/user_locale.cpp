#include "window/win32/user_locale.hpp"

#include <windows.h>

#include <string>

#include "window/utf16.hpp"

namespace zarn {

namespace {

// A locale text in UTF-8, empty where it cannot be read. 16 units hold the longest of the
// decimal separator (3), the group separator (3) and the grouping (9), with their zeros.
std::string localeText(LCTYPE type) {
    wchar_t text[16] = L"";
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, 16);
    if (length <= 1) return {};
    return utf8FromUtf16(std::wstring_view(text, static_cast<std::size_t>(length - 1)));
}

}  // namespace

NumberFormat userNumberFormat() {
    return numberFormatFrom(localeText(LOCALE_SDECIMAL), localeText(LOCALE_STHOUSAND), localeText(LOCALE_SGROUPING));
}

}  // namespace zarn
