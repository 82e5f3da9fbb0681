#include "window/win32/last_resort_box.hpp"

#include <windows.h>

#include "rational/object.hpp"
#include "window/messages.hpp"
#include "window/utf16.hpp"
#include "window/win32/message_texts.hpp"

namespace zarn {

std::string textOfException(std::exception_ptr thrown) {
    try {
        std::rethrow_exception(thrown);
    } catch (const MessageException& exception) {
        return shownText(exception.shown());
    } catch (const Object& object) {
        return object.toString();
    } catch (const std::exception& exception) {
        return exception.what();
    } catch (...) {
        return shownText({MessageId::UnknownException, {}});
    }
}

void dropPendingQuit() {
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

void showLastResortBox(std::string_view message) {
    dropPendingQuit();
    // The W form: the message shows as written, whatever the ANSI code page lacks.
    const std::wstring title = utf16FromUtf8(shownText({MessageId::LastResortTitle, {}}));
    MessageBoxW(nullptr, utf16FromUtf8(message).c_str(), title.c_str(), MB_ICONWARNING | MB_OK);
}

}  // namespace zarn
