#include "window/win32/last_resort_box.hpp"

#include <windows.h>

#include "rational/object.hpp"

namespace zarn {

std::string textOfException(std::exception_ptr thrown) {
    try {
        std::rethrow_exception(thrown);
    } catch (const Object& object) {
        return object.toString();
    } catch (const std::exception& exception) {
        return exception.what();
    } catch (...) {
        return "Unknown exception";
    }
}

std::string utf8ToAnsi(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int utf8Length = static_cast<int>(utf8.size());
    const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), utf8Length, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), utf8Length, wide.data(), wideLength);
    const int ansiLength = WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<std::size_t>(ansiLength), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), wideLength, ansi.data(), ansiLength, nullptr, nullptr);
    return ansi;
}

void dropPendingQuit() {
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void showLastResortBox(std::string_view message) {
    dropPendingQuit();
    MessageBoxA(nullptr, utf8ToAnsi(message).c_str(), lastResortTitle, MB_ICONWARNING | MB_OK);
}

}  // namespace zarn
