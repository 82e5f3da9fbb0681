#include "window/win32/fault_handlers.hpp"

#include "window/win32/last_resort_box.hpp"
#include "window/win32/message_texts.hpp"

namespace zarn {

namespace {

bool isError(DWORD code) { return (code & 0xF0000000u) == 0xC0000000u; }

bool raisedInThisProgram(const void* address) {
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       static_cast<LPCSTR>(address), &module);
    return module != nullptr && module == GetModuleHandleA(nullptr);
}

// Shows the box for the exception code passed as the thread's parameter.
DWORD WINAPI showFaultBox(void* code) {
    try {
        showLastResortBox(shownText({faultMessage(static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(code))), {}}));
    } catch (...) {
        // Not even the box could be shown (out of memory): end as the fault would.
    }
    return 0;
}

[[noreturn]] void endWithFaultBox(DWORD code) {
    void* const parameter = reinterpret_cast<void*>(static_cast<ULONG_PTR>(code));
    HANDLE thread = CreateThread(nullptr, 0, showFaultBox, parameter, 0, nullptr);
    if (thread) WaitForSingleObject(thread, INFINITE);
    TerminateProcess(GetCurrentProcess(), 0);
    for (;;) Sleep(INFINITE);  // TerminateProcess does not return for the calling process
}

LONG WINAPI firstChanceFault(EXCEPTION_POINTERS* pointers) {
    const EXCEPTION_RECORD& record = *pointers->ExceptionRecord;
    // A stack overflow cannot be recovered wherever it happens; other faults only when our own
    // code raised them: system code may handle its own (probing a pointer, for instance).
    if (record.ExceptionCode == EXCEPTION_STACK_OVERFLOW ||
        (isError(record.ExceptionCode) && raisedInThisProgram(record.ExceptionAddress)))
        endWithFaultBox(record.ExceptionCode);
    return EXCEPTION_CONTINUE_SEARCH;
}

LONG WINAPI lastChanceFault(EXCEPTION_POINTERS* pointers) {
    endWithFaultBox(pointers->ExceptionRecord->ExceptionCode);
}

}  // namespace

MessageId faultMessage(DWORD exceptionCode) noexcept {
    switch (exceptionCode) {
    case EXCEPTION_ACCESS_VIOLATION: return MessageId::AccessViolation;
    case EXCEPTION_FLT_DIVIDE_BY_ZERO: return MessageId::FloatDivideByZero;
    case EXCEPTION_INT_DIVIDE_BY_ZERO: return MessageId::IntegerDivideByZero;
    case EXCEPTION_STACK_OVERFLOW: return MessageId::StackOverflow;
    default: return MessageId::OtherFault;
    }
}

void installFaultHandlers() noexcept {
    // Room for the handler after a stack overflow has used up the guard page.
    ULONG reserve = 64 * 1024;
    SetThreadStackGuarantee(&reserve);
    AddVectoredExceptionHandler(1, firstChanceFault);
    SetUnhandledExceptionFilter(lastChanceFault);
}

}  // namespace zarn
