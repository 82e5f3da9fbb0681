#include "window/win32/system_error.hpp"

#include "window/utf16.hpp"

namespace zarn {

std::string systemErrorText(DWORD code) {
    // The W form, turned into UTF-8 like every other message: the A form would give bytes of the
    // ANSI code page, which the message box would then misread.
    wchar_t buffer[512];
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                        0, buffer, sizeof buffer / sizeof buffer[0], nullptr);
    std::string text = utf8FromUtf16(std::wstring_view(buffer, length));
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    if (text.empty()) text = "error " + std::to_string(code);
    return text;
}

}  // namespace zarn
