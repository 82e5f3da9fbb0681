#pragma once
// Processor and system faults (access violation, division by zero, stack overflow, ...) end the
// program through the last-resort box, with a fixed message, and exit code 0.

#include <windows.h>

#include "window/messages.hpp"

namespace zarn {

// The text of a fault: "Access Violation", "Float Divide by Zero", "Integer Divide by Zero",
// "Stack Overflow" in English, and "Win32 Exception" for every other code.
MessageId faultMessage(DWORD exceptionCode) noexcept;

// Installs the handlers for this process. Faults raised by the program's own code are caught
// first-chance, since Windows and Wine may swallow faults inside window procedures; faults in
// system code that nobody handles are caught last-chance. Either way the box is shown from a
// fresh thread (the faulting stack may be exhausted) and the process ends with exit code 0.
void installFaultHandlers() noexcept;

}  // namespace zarn
