#include "console.hpp"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <utility>

#include "window/utf16.hpp"

namespace zarn {

namespace {

bool isConsole(HANDLE handle) {
    DWORD mode = 0;
    return GetConsoleMode(handle, &mode) != 0;
}

// Where each standard stream goes, asked once. Output to no console is written through the C
// runtime as bytes, without its CR LF translation; input is read with ReadFile.
struct StandardStreams {
    bool outputIsConsole = isConsole(GetStdHandle(STD_OUTPUT_HANDLE));
    bool errorIsConsole = isConsole(GetStdHandle(STD_ERROR_HANDLE));
    bool inputIsConsole = isConsole(GetStdHandle(STD_INPUT_HANDLE));

    StandardStreams() {
        _setmode(_fileno(stdout), _O_BINARY);
        _setmode(_fileno(stderr), _O_BINARY);
    }
};

const StandardStreams& standardStreams() {
    static const StandardStreams streams;
    return streams;
}

bool consoleOutputFailed = false;

void writeToConsole(HANDLE console, std::wstring_view text) {
    // In pieces, as older consoles refuse very long writes; never between the halves of a pair.
    constexpr std::size_t piece = 8192;
    while (!text.empty()) {
        std::size_t count = std::min(text.size(), piece);
        if (count < text.size() && text[count - 1] >= 0xD800 && text[count - 1] <= 0xDBFF) --count;
        DWORD written = 0;
        if (!WriteConsoleW(console, text.data(), static_cast<DWORD>(count), &written, nullptr) || written == 0) {
            if (console == GetStdHandle(STD_OUTPUT_HANDLE)) consoleOutputFailed = true;
            return;
        }
        text.remove_prefix(written);
    }
}

// Standard input cut into lines at each LF: bytes as they come from a pipe or file, or what is
// typed at a console, read in UTF-16 and kept as UTF-8.
class InputLines {
public:
    explicit InputLines(bool console) : console_(console) {}

    bool next(std::string& line) {
        for (;;) {
            const std::size_t end = pending_.find('\n', scanned_);
            if (end != std::string::npos) return take(end, end + 1, line);
            if (ended_) return start_ < pending_.size() && take(pending_.size(), pending_.size(), line);
            pending_.erase(0, start_);
            start_ = 0;
            scanned_ = pending_.size();  // a long line is searched once, not again at every read
            ended_ = !(console_ ? readConsole() : readBytes());
        }
    }

private:
    // Takes pending_[start_, end) as the line, without the CR of a CR LF, and goes on at `next`.
    bool take(std::size_t end, std::size_t next, std::string& line) {
        if (console_ && pending_[start_] == '\x1A') {  // Ctrl+Z at the start of a line: the end
            ended_ = true;
            start_ = scanned_ = pending_.size();
            return false;
        }
        const bool crLf = next > end && end > start_ && pending_[end - 1] == '\r';
        line.assign(pending_, start_, (crLf ? end - 1 : end) - start_);
        start_ = scanned_ = next;
        return true;
    }

    // ReadFile gives what a pipe holds as soon as it holds something, so results follow their lines.
    bool readBytes() {
        char buffer[65536];
        DWORD count = 0;
        if (!ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &count, nullptr) || count == 0) return false;
        pending_.append(buffer, count);
        return true;
    }

    bool readConsole() {
        wchar_t buffer[4096];
        for (;;) {
            DWORD count = 0;
            SetLastError(ERROR_SUCCESS);
            if (ReadConsoleW(GetStdHandle(STD_INPUT_HANDLE), buffer, 4096, &count, nullptr) && count > 0) {
                // The first half of a pair waits for its second, which the next read brings.
                std::wstring text = std::exchange(highSurrogate_, std::wstring());
                text.append(buffer, count);
                if (text.back() >= 0xD800 && text.back() <= 0xDBFF) {
                    highSurrogate_ = text.back();
                    text.pop_back();
                }
                pending_ += utf8FromUtf16(text);
                return true;
            }
            // Ctrl+C cuts a read short; the console's handler then ends the program, unless Ctrl+C
            // is ignored, when the reading goes on. A short pause keeps the processor idle.
            if (GetLastError() != ERROR_OPERATION_ABORTED) return false;
            Sleep(50);
        }
    }

    bool console_;
    std::string pending_;
    std::size_t start_ = 0;    // where the next line begins
    std::size_t scanned_ = 0;  // where the search for its LF goes on
    std::wstring highSurrogate_;
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

bool outputWritten() { return !consoleOutputFailed && std::fflush(stdout) == 0 && !std::ferror(stdout); }

bool readInputLine(std::string& line) {
    static InputLines input(standardStreams().inputIsConsole);
    return input.next(line);
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
