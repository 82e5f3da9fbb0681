#include "window/win32/user_locale.hpp"

#include <windows.h>

#include <string_view>

#include "window/entered_text.hpp"
#include "window/utf16.hpp"

namespace zarn {

std::optional<char32_t> userDecimalSeparator() {
    wchar_t separator[4] = L"";  // the most LOCALE_SDECIMAL holds, its zero included
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 4);
    if (length <= 1) return std::nullopt;
    return decimalSeparatorFrom(utf8FromUtf16(std::wstring_view(separator, static_cast<std::size_t>(length - 1))));
}

}  // namespace zarn
