// What the last-resort box would show, and the quit message that would hide it.

#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "rational/frac.hpp"
#include "window/win32/fault_handlers.hpp"
#include "window/win32/last_resort_box.hpp"

namespace zarn {
namespace {

template <class Thrown>
std::string textOfThrown(Thrown thrown) {
    try {
        throw thrown;
    } catch (...) {
        return textOfException(std::current_exception());
    }
}

TEST(LastResortBox, shows_the_text_form_of_what_was_thrown) {
    EXPECT_EQ(textOfThrown(FracParseException()), "frac.parse");
    EXPECT_EQ(textOfThrown(std::runtime_error("disk on fire")), "disk on fire");
    EXPECT_EQ(textOfThrown(42), "Unknown exception");
}

TEST(LastResortBox, a_pending_quit_message_is_dropped_before_the_box) {
    PostQuitMessage(0);
    dropPendingQuit();
    MSG message;
    EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD) && message.message == WM_QUIT);
}

TEST(FaultMessage, names_each_fault) {
    const auto named = [](DWORD code) { return englishText({faultMessage(code), {}}); };
    EXPECT_EQ(named(EXCEPTION_ACCESS_VIOLATION), "Access Violation");
    EXPECT_EQ(named(EXCEPTION_FLT_DIVIDE_BY_ZERO), "Float Divide by Zero");
    EXPECT_EQ(named(EXCEPTION_INT_DIVIDE_BY_ZERO), "Integer Divide by Zero");
    EXPECT_EQ(named(EXCEPTION_STACK_OVERFLOW), "Stack Overflow");
    EXPECT_EQ(named(EXCEPTION_ILLEGAL_INSTRUCTION), "Win32 Exception");
    EXPECT_EQ(named(EXCEPTION_INT_OVERFLOW), "Win32 Exception");
}

}  // namespace
}  // namespace zarn
