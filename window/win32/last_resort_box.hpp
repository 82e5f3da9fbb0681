#pragma once
// The box that shows the message of an exception nobody else handled.

#include <exception>
#include <string>
#include <string_view>

namespace zarn {

inline constexpr const char* lastResortTitle = "Unhandled Exception";

// The thrown object's text form: an Object's toString(), a std::exception's what().
std::string textOfException(std::exception_ptr thrown);

// UTF-8 text in the system's ANSI code page (characters it lacks become its default character).
std::string utf8ToAnsi(std::string_view utf8);

// Removes a quit message waiting in this thread's queue, which would close a box unseen.
void dropPendingQuit();

// MessageBoxA titled "Unhandled Exception" with the UTF-8 `message`, no owner, a warning icon;
// returns when the user has closed it.
void showLastResortBox(std::string_view message);

}  // namespace zarn
