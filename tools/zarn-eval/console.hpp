#pragma once
// zarn-eval's standard streams and files, in UTF-8 on every platform.
//
// POSIX: bytes as they are; lines end at LF, and a CR before it belongs to the line.
// Windows: a console is written and read in UTF-16 (WriteConsoleW, ReadConsoleW), so every
// character shows and arrives whatever the console's code page, which is left as it is; pipes
// and files carry UTF-8 bytes. Output lines end in CR LF, and an input line ends at LF or CR LF
// (the CR of a CR LF is not part of the line). At a console, Ctrl+Z at the start of a line
// ends the input, as it does for every console program there.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace zarn {

enum class Stream { Output, Error };

// Writes text, each "\n" in it as the platform's line end.
void writeText(Stream stream, std::string_view text);

// Whether all that was written to standard output reached it, flushed now: false after a write
// that failed, such as one to a full disk.
bool outputWritten();

// The next line of standard input, without its line end; false at the end of the input.
bool readInputLine(std::string& line);

// Opens the file named `path` (UTF-8) to read its bytes, as std::fopen(path, "rb") does:
// nullptr with errno set when it cannot.
std::FILE* openFileForReading(const char* path);

#ifdef _WIN32
// The arguments after the program's name, from wmain's UTF-16 in UTF-8: a lone surrogate
// becomes its own three-byte sequence, so that a file name comes back unchanged.
std::vector<std::string> utf8Arguments(int argc, wchar_t** argv);
#endif

}  // namespace zarn
