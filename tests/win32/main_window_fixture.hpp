#pragma once
// A real main window created in a fresh current directory, and ways to read its input line.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "tests/win32/temp_folder.hpp"
#include "window/win32/input_line.hpp"
#include "window/win32/last_resort_box.hpp"
#include "window/win32/main_window.hpp"
#include "window/utf16.hpp"

namespace zarn {

// Found by GoogleTest beside the type, so failures show the line readably.
inline void PrintTo(const InputLineState& line, std::ostream* out) {
    *out << '"' << line.text << "\" [" << line.start << ", " << line.end << ")";
}

}  // namespace zarn

namespace zarn::testing {

using LineState = InputLineState;

// The first top-level window of class `className` made by this thread, or null. Other test
// processes share Wine's desktop, so a search by class alone may find their windows.
inline HWND windowOfThisThread(const wchar_t* className) {
    struct Search {
        const wchar_t* className;
        HWND found;
    } search{className, nullptr};
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM context) -> BOOL {
            auto* s = reinterpret_cast<Search*>(context);
            wchar_t name[64] = L"";
            GetClassNameW(window, name, static_cast<int>(std::size(name)));
            if (std::wstring_view(name) != s->className) return TRUE;
            s->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // A run in another ANSI code page (932, double-byte) first checks that it got it.
        if (const char* codePage = std::getenv("ZARN_EXPECT_CODE_PAGE")) {
            ASSERT_EQ(GetACP(), std::strtoul(codePage, nullptr, 10));
        }
        registerMainWindowClass(GetModuleHandleA(nullptr));
    }

    void TearDown() override {
        if (window && IsWindow(window)) DestroyWindow(window);
        dropPendingQuit();  // the window's destruction posted it
    }

    // Creates the window in the test's folder, and handles what its creation posted, as the
    // message loop does once it is shown; fails the test if creation fails.
    void create() {
        window = createMainWindow(GetModuleHandleA(nullptr));
        ASSERT_NE(window, nullptr);
        line = GetWindow(window, GW_CHILD);
        ASSERT_NE(line, nullptr);
        MSG message;
        while (PeekMessageW(&message, window, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }

    // Puts UTF-8 text into the line, with the selection given as byte offsets.
    void setLine(const std::string& text, std::size_t start, std::size_t end) const {
        SendMessageW(line, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(utf16FromUtf8(text).c_str()));
        SendMessageW(line, EM_SETSEL, utf16OffsetOf(text, start), static_cast<LPARAM>(utf16OffsetOf(text, end)));
    }

    LineState readLine() const { return readInputLine(line); }

    // Delivers a typed character as the keyboard would, with Shift held or not.
    void type(unsigned code, bool shift = false) const {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        keys[VK_LSHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        SendMessageW(line, WM_CHAR, code, 1);
        keys[VK_SHIFT] = keys[VK_LSHIFT] = 0;
        SetKeyboardState(keys);
    }

    TempFolder folder;
    HWND window = nullptr;
    HWND line = nullptr;
};

}  // namespace zarn::testing
