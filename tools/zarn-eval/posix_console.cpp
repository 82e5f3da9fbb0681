#include "console.hpp"

#include <iostream>

namespace zarn {

void writeText(Stream stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream == Stream::Output ? stdout : stderr);
}

bool outputWritten() { return std::fflush(stdout) == 0 && !std::ferror(stdout); }

bool readInputLine(std::string& line) {
    // Standard input is read through std::cin alone: unsynchronised, it reads in large blocks.
    static const bool unsynchronised = (std::ios::sync_with_stdio(false), true);
    (void)unsynchronised;
    return static_cast<bool>(std::getline(std::cin, line, '\n'));
}

std::FILE* openFileForReading(const char* path) { return std::fopen(path, "rb"); }

}  // namespace zarn
