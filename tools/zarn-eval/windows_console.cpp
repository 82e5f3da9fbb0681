#include "console.hpp"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <iostream>

#include "window/utf16.hpp"

namespace zarn {

namespace {

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

// Where each standard stream goes, asked once. Streams that are no console carry bytes, with no
// CR LF translation by the C runtime either way (and no Ctrl+Z ending a pipe early).
struct StandardStreams {
    bool outputIsConsole = isConsole(GetStdHandle(STD_OUTPUT_HANDLE));
    bool errorIsConsole = isConsole(GetStdHandle(STD_ERROR_HANDLE));
    bool inputIsConsole = isConsole(GetStdHandle(STD_INPUT_HANDLE));

    StandardStreams() {
        _setmode(_fileno(stdin), _O_BINARY);
        _setmode(_fileno(stdout), _O_BINARY);
        _setmode(_fileno(stderr), _O_BINARY);
    }
};

const StandardStreams& standardStreams() {
    static const StandardStreams streams;
    return streams;
}

void writeToConsole(HANDLE console, std::wstring_view text) {
    // In pieces, as older consoles refuse very long writes; never between the halves of a pair.
    constexpr std::size_t piece = 8192;
    while (!text.empty()) {
        std::size_t count = std::min(text.size(), piece);
        if (count < text.size() && text[count - 1] >= 0xD800 && text[count - 1] <= 0xDBFF) --count;
        DWORD written = 0;
        if (!WriteConsoleW(console, text.data(), static_cast<DWORD>(count), &written, nullptr) || written == 0) return;
        text.remove_prefix(written);
    }
}

// The console's lines as they are typed, in UTF-16 until a whole line is there, so that a
// character is never cut between two reads.
class ConsoleLines {
public:
    bool next(std::string& line) {
        for (;;) {
            if (const std::size_t end = pending_.find(L'\n'); end != std::wstring::npos) {
                return take(end, end + 1, line);
            }
            if (ended_ || !read()) {
                ended_ = true;
                return !pending_.empty() && take(pending_.size(), pending_.size(), line);
            }
        }
    }

private:
    // Takes pending_[0, end) as the line, without the CR of a CR LF, and drops it to `next`.
    bool take(std::size_t end, std::size_t next, std::string& line) {
        if (!pending_.empty() && pending_.front() == L'\x1A') {  // Ctrl+Z: the end of the input
            ended_ = true;
            pending_.clear();
            return false;
        }
        const bool crLf = next > end && end > 0 && pending_[end - 1] == L'\r';
        line = utf8FromUtf16(std::wstring_view(pending_).substr(0, crLf ? end - 1 : end));
        pending_.erase(0, next);
        return true;
    }

    bool read() {
        wchar_t buffer[4096];
        for (;;) {
            DWORD count = 0;
            SetLastError(ERROR_SUCCESS);
            const BOOL read = ReadConsoleW(GetStdHandle(STD_INPUT_HANDLE), buffer, 4096, &count, nullptr);
            if (read && count > 0) {
                pending_.append(buffer, count);
                return true;
            }
            // Ctrl+C cuts a read short; the console's handler then ends the program, unless Ctrl+C
            // is ignored, when the reading goes on. A short pause keeps the processor idle.
            if (GetLastError() != ERROR_OPERATION_ABORTED) return false;
            Sleep(50);
        }
    }

    std::wstring pending_;
    bool ended_ = false;
};

}  // namespace

void writeText(Stream stream, std::string_view text) {
    const StandardStreams& streams = standardStreams();
    std::string lines;
    lines.reserve(text.size() + text.size() / 8);
    for (const char c : text) {
        if (c == '\n') lines += '\r';
        lines += c;
    }
    if (stream == Stream::Output ? streams.outputIsConsole : streams.errorIsConsole) {
        writeToConsole(GetStdHandle(stream == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE),
                       utf16FromUtf8(lines));
    } else {
        std::fwrite(lines.data(), 1, lines.size(), stream == Stream::Output ? stdout : stderr);
    }
}

bool readInputLine(std::string& line) {
    if (standardStreams().inputIsConsole) {
        static ConsoleLines console;
        return console.next(line);
    }
    static const bool unsynchronised = (std::ios::sync_with_stdio(false), true);
    (void)unsynchronised;
    if (!std::getline(std::cin, line, '\n')) return false;
    // Only a line that ended at an LF can end in CR LF.
    if (!std::cin.eof() && !line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

std::FILE* openFileForReading(const char* path) {
    return _wfopen(utf16FromUtf8(path).c_str(), L"rb");
}

std::vector<std::string> utf8Arguments(int argc, wchar_t** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.push_back(utf8FromUtf16(argv[i]));
    return arguments;
}

}  // namespace zarn
