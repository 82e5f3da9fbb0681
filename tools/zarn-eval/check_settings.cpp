#include "check_settings.hpp"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "console.hpp"
#include "window/settings.hpp"

namespace zarn {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The whole file as bytes; false when it exists but cannot be read. A missing file reads as
// absent, which leaves the defaults.
bool readConfiguration(const char* path, bool& present, std::string& bytes) {
    const std::unique_ptr<std::FILE, FileCloser> file(openFileForReading(path));
    if (!file) {
        present = false;
        return errno == ENOENT;
    }
    present = true;
    char buffer[4096];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) bytes.append(buffer, count);
    return std::ferror(file.get()) == 0;
}

void printLine(std::string_view label, std::string_view value) {
    std::string line(label);
    line += value;
    line += '\n';
    writeText(Stream::Output, line);
}

}  // namespace

int checkSettings(const char* path, std::int32_t dpi) {
    bool present = false;
    std::string bytes;
    if (!readConfiguration(path, present, bytes)) {
        writeText(Stream::Error, "zarn-eval: cannot read " + std::string(path) + "\n");
        return 1;
    }
    WindowSettings settings = defaultSettings(dpi);
    // Warnings are printed after the settings, and not at all when a value is refused.
    std::vector<std::string> unknownKeys;
    if (present) {
        try {
            loadSettings(bytes, dpi, settings, [&unknownKeys](std::string_view key) { unknownKeys.emplace_back(key); });
        } catch (const Exception& error) {
            // The message may quote any bytes of the file, a zero byte included.
            const std::string message = "zarn-eval: " + error.message() + "\n";
            writeText(Stream::Error, message);
            return 1;
        }
    }
    printLine("face: ", requestedFaceName(settings.faceName));
    printLine("height: ", std::to_string(settings.fontHeight));
    printLine("width: ", std::to_string(settings.clientWidth));
    // Only when set, so that other files print as before.
    if (settings.onTop) printLine("ontop: ", "yes");
    if (settings.theme != Theme::Auto) printLine("theme: ", settings.theme == Theme::Dark ? "dark" : "light");
    if (settings.remember) printLine("remember: ", "yes");
    if (settings.hotkey) printLine("hotkey: ", hotkeyText(*settings.hotkey));
    if (settings.language) printLine("language: ", languageTag(*settings.language));
    if (settings.copy == CopyNotation::Line) printLine("copy: ", "line");
    for (const std::string& key : unknownKeys) printLine("warning: ", visibleText(key));
    return 0;
}

}  // namespace zarn
