// zarn-eval: the calculator's evaluator on the console.
//
// Evaluates each LINE argument, or else each line of standard input, and prints one output
// line per input line. A refused line prints an empty line and, on standard error, where and
// why it was refused. With --settings, reads a configuration file as the calculator window
// would instead.

#include <string>
#include <string_view>
#include <vector>

#include "check_settings.hpp"
#include "console.hpp"
#include "evaluator/evaluate_line.hpp"
#include "options.hpp"

#ifndef ZARN_VERSION
#error "ZARN_VERSION must be defined by the build (the project's version)"
#endif

namespace {

// The help names the program as it is typed where it runs, and says how its lines end there.
#ifdef _WIN32
#define ZARN_EVAL_NAME "zarn-eval.exe"
#define ZARN_EVAL_INPUT                                                                          \
    "Evaluates each LINE, or else each line of standard input (lines end at LF or CR LF; the\n" \
    "CR of a CR LF is not part of the line), as a ZARN line in postfix notation, and prints\n"  \
    "the resulting line: the stack, bottom first, as fractions or, with -d, as decimals cut\n"  \
    "after 8 digits. One output line per input line, exactly as the calculator would show it.\n" \
    "Input, output and messages are UTF-8, and output lines end in CR LF; at a console, every\n" \
    "character is shown whatever its code page, and Ctrl+Z then Enter ends the input.\n"
#define ZARN_EVAL_OPTION_LINE "zarn-eval.exe -- -d"
#else
#define ZARN_EVAL_NAME "zarn-eval"
#define ZARN_EVAL_INPUT                                                                          \
    "Evaluates each LINE, or else each line of standard input (lines end at LF; every other\n"  \
    "byte, a CR included, belongs to the line), as a ZARN line in postfix notation, and prints\n" \
    "the resulting line: the stack, bottom first, as fractions or, with -d, as decimals cut\n"  \
    "after 8 digits. One output line per input line, exactly as the calculator would show it.\n"
#define ZARN_EVAL_OPTION_LINE "zarn-eval -- '-d'"
#endif

constexpr std::string_view usage =
    "usage: " ZARN_EVAL_NAME " [OPTION]... [LINE]...\n"
    "       " ZARN_EVAL_NAME " --settings FILE [--dpi N]\n"
    "\n" ZARN_EVAL_INPUT
    "\n"
    "  -d, --decimal         write values as decimals instead of fractions\n"
    "      --settings FILE   read FILE as the calculator window reads zarn.ini and print the\n"
    "                        settings it gives instead of evaluating lines\n"
    "      --dpi N           the display resolution for --settings, in pixels per inch (96)\n"
    "  -h, --help            print this help and exit\n"
    "      --version         print the version and exit\n"
    "  --                    treat every following argument as a LINE\n"
    "\n"
    "Options may stand anywhere among the LINEs, and --settings and --dpi also take their\n"
    "value as --settings=FILE and --dpi=N. An argument that begins with '-' and then a letter\n"
    "or a second '-' is an option; every other argument is a LINE, so '-', '5 -' and '- 3'\n"
    "are lines. A LINE that looks like an option goes after '--': " ZARN_EVAL_OPTION_LINE ".\n"
    "\n"
    "A line that cannot be evaluated prints an empty line on standard output and\n"
    "  zarn-eval: line N, column C: TOKEN: REASON (ID)\n"
    "on standard error: N counts lines from 1, C is the byte of the line, counting from 1, at\n"
    "which the refused TOKEN begins, TOKEN is as written, REASON says why, and ID is\n"
    "frac.parse for a number that cannot be read exactly (such as (1/0)) or frac.overflow for\n"
    "a result that does not fit.\n"
    "\n"
    "With --settings, prints 'face: NAME' (the face name the window asks for, cut to 31\n"
    "UTF-16 units), 'height: H' (the font height in logical units, negative for a character\n"
    "height in pixels) and 'width: W' (the configured width of the line, negative counting\n"
    "back from the work area), 'ontop: yes' when the file puts the window on top,\n"
    "'theme: light' or 'theme: dark' and 'language: TAG' (the tag of the texts the window\n"
    "shows, such as de or pt-BR) when the file names one, then\n"
    "'warning: KEY' for each unknown key in file order, its control characters shown as the\n"
    "symbols U+2400 to U+2421. A missing FILE gives the defaults. A value that cannot be\n"
    "used or invalid UTF-8 prints 'zarn-eval: MESSAGE' on standard error and nothing on\n"
    "standard output.\n"
    "\n"
    "zarn-eval writes its messages in English whatever the language of the window or of the\n"
    "system, so that scripts can read them.\n"
    "\n"
    "Exit status: 0 when every line was evaluated (or the settings were read), 1 when a line\n"
    "(or the settings file) was refused, 2 on a usage error, 3 when standard output could not\n"
    "be written (such as to a full disk).\n";

// Prints the evaluated line; false when it was refused.
bool evaluateAndPrint(const std::string& line, zarn::ConvTo mode, std::size_t number) {
    zarn::Evaluation evaluation = zarn::evaluateLineInFull(line, mode);
    if (const auto& refusal = evaluation.refusal) {
        const std::string token = line.substr(refusal->offset, refusal->length);
        const std::string message = "zarn-eval: line " + std::to_string(number) + ", column " +
                                    std::to_string(refusal->offset + 1) + ": " + token + ": " +
                                    std::string(zarn::reasonText(refusal->cause)) + " (" +
                                    std::string(zarn::refusalId(refusal->cause)) + ")\n";
        zarn::writeText(zarn::Stream::Error, message);
    }
    evaluation.line += '\n';
    zarn::writeText(zarn::Stream::Output, evaluation.line);
    return !evaluation.refusal;
}

int runOptions(const std::vector<std::string>& arguments) {
    std::string error;
    const zarn::Options options = zarn::parseArguments(arguments, error);
    if (!error.empty()) {
        zarn::writeText(zarn::Stream::Error,
                        "zarn-eval: " + error + "\nTry 'zarn-eval --help' for more information.\n");
        return 2;
    }
    if (options.help) {
        zarn::writeText(zarn::Stream::Output, usage);
        return 0;
    }
    if (options.version) {
        zarn::writeText(zarn::Stream::Output, "zarn-eval " ZARN_VERSION "\n");
        return 0;
    }
    if (options.settings) return zarn::checkSettings(options.settingsFile.c_str(), options.dpi);
    bool allEvaluated = true;
    std::size_t number = 0;
    if (!options.lines.empty()) {
        for (const std::string& line : options.lines) {
            allEvaluated &= evaluateAndPrint(line, options.mode, ++number);
        }
    } else {
        std::string line;
        while (zarn::readInputLine(line)) {
            allEvaluated &= evaluateAndPrint(line, options.mode, ++number);
        }
    }
    return allEvaluated ? 0 : 1;
}

// A result that never reached standard output (a full disk, a closed pipe's end) is a failure.
int run(const std::vector<std::string>& arguments) {
    const int status = runOptions(arguments);
    if (zarn::outputWritten()) return status;
    zarn::writeText(zarn::Stream::Error, "zarn-eval: standard output could not be written\n");
    return 3;
}

}  // namespace

#ifdef _WIN32
// wmain (linked with -municode): the arguments as typed, in UTF-16, whatever the code page.
int wmain(int argc, wchar_t** argv) { return run(zarn::utf8Arguments(argc, argv)); }
#else
int main(int argc, char** argv) { return run(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
