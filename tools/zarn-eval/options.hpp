#pragma once
// zarn-eval's command line, read as GNU tools read theirs: options anywhere among the lines,
// "--" ends them, and a usage error is one line naming the problem.

#include <cstdint>
#include <string>
#include <vector>

#include "evaluator/evaluate_line.hpp"

namespace zarn {

struct Options {
    ConvTo mode = ConvTo::Fraction;
    std::vector<std::string> lines;
    bool help = false;
    bool version = false;
    bool settings = false;     // --settings given: read `settingsFile` instead of evaluating lines
    std::string settingsFile;
    std::int32_t dpi = 96;
};

// An argument is an option when it begins with "-" and then a letter or a second "-" ("--"
// alone ends the options); every other argument, "-" and "- 3" and "5 -" included, is a line.
// Returns the options, or fills `error` with the one-line problem (without the program's name).
Options parseArguments(const std::vector<std::string>& arguments, std::string& error);

}  // namespace zarn
