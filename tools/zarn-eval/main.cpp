// zarn-eval: the calculator's evaluator on the console.
//
// Evaluates each LINE argument, or else each line of standard input, and prints one output
// line per input line. A refused line prints an empty line and a message on standard error.
// With --settings, reads a configuration file as the calculator window would instead.

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "check_settings.hpp"
#include "evaluator/evaluate_line.hpp"
#include "rational/frac.hpp"

namespace {

constexpr std::string_view usage =
    "usage: zarn-eval [-d|--decimal] [--] [LINE...]\n"
    "       zarn-eval --settings FILE [--dpi N]\n"
    "\n"
    "Evaluates each LINE, or else each line of standard input (lines end at LF; every other\n"
    "byte, a CR included, belongs to the line), as a ZARN line in postfix notation, and prints\n"
    "the resulting line: the stack, bottom first, as fractions or, with -d, as decimals cut\n"
    "after 8 digits. One output line per input line, exactly as the calculator would show it.\n"
    "\n"
    "  -d, --decimal   write values as decimals instead of fractions\n"
    "  -h, --help      print this help and exit\n"
    "  --              treat every following argument as a LINE\n"
    "  --settings FILE read FILE as the calculator window reads zarn.ini and print the\n"
    "                  settings it gives instead of evaluating lines\n"
    "  --dpi N         the display resolution for --settings, in pixels per inch (96)\n"
    "\n"
    "A line that cannot be evaluated (a number that cannot be read exactly, such as (1/0),\n"
    "or a result that does not fit 64 bits) prints an empty line on standard output and\n"
    "'zarn-eval: line N: MESSAGE' on standard error, N counting from 1.\n"
    "\n"
    "With --settings, prints 'face: NAME', 'height: H' (the font height in logical units,\n"
    "negative for a character height in pixels) and 'width: W' (the configured width of\n"
    "the line, negative counting back from the work area), then 'warning: KEY' for each\n"
    "unknown key in file order. A missing FILE gives the defaults. A value that cannot be\n"
    "converted or invalid UTF-8 prints 'zarn-eval: MESSAGE' on standard error and nothing\n"
    "on standard output.\n"
    "\n"
    "Exit status: 0 when every line was evaluated (or the settings were read), 1 when a line\n"
    "(or the settings file) was refused, 2 on a usage error.\n";

struct Options {
    zarn::ConvTo mode = zarn::ConvTo::Fraction;
    std::vector<std::string> lines;
    bool help = false;
    const char* settingsFile = nullptr;
    const char* dpiText = nullptr;
    std::int32_t dpi = 96;
};

// A positive decimal integer that fits 32 bits.
bool parseDpi(std::string_view text, std::int32_t& dpi) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value <= 0) return false;
    dpi = value;
    return true;
}

// Parses the arguments; returns false on a usage error.
bool parseArguments(int argc, char** argv, Options& options) {
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (optionsEnded || options.lines.size() > 0 || argument.size() < 2 || argument[0] != '-') {
            options.lines.emplace_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "-d" || argument == "--decimal") {
            options.mode = zarn::ConvTo::Decimal;
        } else if (argument == "-h" || argument == "--help") {
            options.help = true;
        } else if (argument == "--settings" || argument == "--dpi") {
            if (i + 1 == argc) {
                std::fprintf(stderr, "zarn-eval: %s needs a value\n", argv[i]);
                return false;
            }
            (argument == "--settings" ? options.settingsFile : options.dpiText) = argv[++i];
        } else {
            std::fprintf(stderr, "zarn-eval: unknown option '%s'\n", argv[i]);
            return false;
        }
    }
    if (options.dpiText != nullptr && !parseDpi(options.dpiText, options.dpi)) {
        std::fprintf(stderr, "zarn-eval: --dpi needs a positive whole number, not '%s'\n", options.dpiText);
        return false;
    }
    const bool settingsMode = options.settingsFile != nullptr;
    if (options.dpiText != nullptr && !settingsMode) {
        std::fputs("zarn-eval: --dpi goes with --settings\n", stderr);
        return false;
    }
    if (settingsMode && (!options.lines.empty() || optionsEnded || options.mode != zarn::ConvTo::Fraction)) {
        std::fputs("zarn-eval: --settings takes no LINE and no -d\n", stderr);
        return false;
    }
    return true;
}

// Prints the evaluated line; false when it was refused.
bool evaluateAndPrint(const std::string& line, zarn::ConvTo mode, std::size_t number) {
    std::string result;
    bool evaluated = true;
    try {
        result = zarn::evaluateLine(line, mode);
    } catch (const zarn::Exception& error) {
        std::fprintf(stderr, "zarn-eval: line %zu: %s\n", number, error.message().c_str());
        evaluated = false;
    }
    result += '\n';
    std::fwrite(result.data(), 1, result.size(), stdout);
    return evaluated;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    // Lines are bytes: no CR LF translation either way.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    Options options;
    if (!parseArguments(argc, argv, options)) {
        std::fputs(usage.data(), stderr);
        return 2;
    }
    if (options.help) {
        std::fputs(usage.data(), stdout);
        return 0;
    }
    if (options.settingsFile != nullptr) return zarn::checkSettings(options.settingsFile, options.dpi);
    bool allEvaluated = true;
    std::size_t number = 0;
    if (!options.lines.empty()) {
        for (const std::string& line : options.lines) {
            allEvaluated &= evaluateAndPrint(line, options.mode, ++number);
        }
    } else {
        std::ios::sync_with_stdio(false);
        std::string line;
        while (std::getline(std::cin, line, '\n')) {
            allEvaluated &= evaluateAndPrint(line, options.mode, ++number);
        }
    }
    return allEvaluated ? 0 : 1;
}
