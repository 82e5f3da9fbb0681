#pragma once
// The heap in use, for tests that bound the memory something holds.

#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's allocator interface, for which GCC ships no header.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#elif defined(__GLIBC__)
#include <malloc.h>
#endif

namespace zarn::testing_support {

// Bytes the program has allocated and not freed: AddressSanitizer's own count under it (its
// allocator replaces glibc's and keeps freed blocks in quarantine), else glibc's heap in use,
// blocks mapped on their own included. -1 where neither is available.
inline long long heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
    return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#elif defined(__GLIBC__)
    const struct mallinfo2 info = mallinfo2();
    return static_cast<long long>(info.uordblks + info.hblkhd);
#else
    return -1;
#endif
}

}  // namespace zarn::testing_support
