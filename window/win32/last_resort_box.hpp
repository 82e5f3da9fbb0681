#pragma once
// The box that shows the message of an exception nobody else handled.

#include <exception>
#include <string>
#include <string_view>

namespace zarn {

// The thrown object's text form in the user's language (message_texts.hpp): a MessageException's
// text shown, another Object's toString(), a std::exception's what().
std::string textOfException(std::exception_ptr thrown);

// Removes a quit message waiting in this thread's queue, which would close a box unseen.
void dropPendingQuit();

// MessageBoxW titled "Unhandled Exception" in the user's language with the UTF-8 `message`, no
// owner, a warning icon; returns when the user has closed it.
void showLastResortBox(std::string_view message);

}  // namespace zarn
