// zarn-eval: the calculator's evaluator on the console.
//
// Evaluates each LINE argument, or else each line of standard input, and prints one output
// line per input line. A refused line prints an empty line and a message on standard error.

#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "evaluator/evaluate_line.hpp"
#include "rational/frac.hpp"

namespace {

constexpr std::string_view usage =
    "usage: zarn-eval [-d|--decimal] [--] [LINE...]\n"
    "\n"
    "Evaluates each LINE, or else each line of standard input (lines end at LF; every other\n"
    "byte, a CR included, belongs to the line), as a ZARN line in postfix notation, and prints\n"
    "the resulting line: the stack, bottom first, as fractions or, with -d, as decimals cut\n"
    "after 8 digits. One output line per input line, exactly as the calculator would show it.\n"
    "\n"
    "  -d, --decimal   write values as decimals instead of fractions\n"
    "  -h, --help      print this help and exit\n"
    "  --              treat every following argument as a LINE\n"
    "\n"
    "A line that cannot be evaluated (a number that cannot be read exactly, such as (1/0),\n"
    "or a result that does not fit 64 bits) prints an empty line on standard output and\n"
    "'zarn-eval: line N: MESSAGE' on standard error, N counting from 1.\n"
    "\n"
    "Exit status: 0 when every line was evaluated, 1 when a line was refused, 2 on a usage\n"
    "error.\n";

struct Options {
    zarn::ConvTo mode = zarn::ConvTo::Fraction;
    std::vector<std::string> lines;
    bool help = false;
};

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
        } else {
            std::fprintf(stderr, "zarn-eval: unknown option '%s'\n", argv[i]);
            return false;
        }
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
