#pragma once
// A property a fuzz target asserts: when it fails, print what and the input, then abort so that
// libFuzzer records the input as a crash.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace zarn::fuzzing {

// The input with every byte outside printable ASCII written as \xNN.
inline std::string printable(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 32 && u < 127 && c != '\\') {
            out += c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", u);
            out += escaped;
        }
    }
    return out;
}

[[noreturn]] inline void fail(std::string_view what, std::string_view input, std::string_view detail = {}) {
    std::fprintf(stderr, "property failed: %.*s\n  input: \"%s\"\n", static_cast<int>(what.size()), what.data(),
                 printable(input).c_str());
    if (!detail.empty()) std::fprintf(stderr, "  %.*s\n", static_cast<int>(detail.size()), detail.data());
    std::abort();
}

inline void require(bool holds, std::string_view what, std::string_view input, std::string_view detail = {}) {
    if (!holds) fail(what, input, detail);
}

}  // namespace zarn::fuzzing
