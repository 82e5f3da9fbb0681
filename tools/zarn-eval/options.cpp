#include "options.hpp"

#include <charconv>
#include <optional>
#include <string_view>
#include <system_error>

namespace zarn {

namespace {

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool isOption(std::string_view argument) {
    return argument.size() >= 2 && argument[0] == '-' && (argument[1] == '-' || isLetter(argument[1]));
}

// A positive decimal integer that fits 32 bits.
std::optional<std::int32_t> positiveWholeNumber(std::string_view text) {
    std::int32_t value = 0;
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (failure != std::errc{} || end != text.data() + text.size() || value <= 0) return std::nullopt;
    return value;
}

}  // namespace

Options parseArguments(const std::vector<std::string>& arguments, std::string& error) {
    Options options;
    bool optionsEnded = false;
    std::optional<std::string> dpiText;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || !isOption(argument)) {
            options.lines.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        // --name=value, or --name and the value in the next argument where one is needed.
        const std::size_t equals = argument.starts_with("--") ? argument.find('=') : std::string::npos;
        const std::string name = argument.substr(0, equals);
        const std::optional<std::string> attached =
            equals == std::string::npos ? std::nullopt : std::optional(argument.substr(equals + 1));
        if (name == "--settings" || name == "--dpi") {
            std::string value;
            if (attached) {
                value = *attached;
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else {
                error = "option '" + name + "' requires an argument";
                return options;
            }
            if (name == "--settings") {
                options.settings = true;
                options.settingsFile = value;
            } else {
                dpiText = value;
            }
            continue;
        }
        if (attached && (name == "--decimal" || name == "--help" || name == "--version")) {
            error = "option '" + name + "' doesn't allow an argument";
            return options;
        }
        if (name == "-d" || name == "--decimal") {
            options.mode = ConvTo::Decimal;
        } else if (name == "-h" || name == "--help") {
            options.help = true;
        } else if (name == "--version") {
            options.version = true;
        } else {
            error = "unrecognized option '" + argument + "'";
            return options;
        }
    }
    if (dpiText) {
        const std::optional<std::int32_t> dpi = positiveWholeNumber(*dpiText);
        if (!dpi) {
            error = "--dpi needs a positive whole number, not '" + *dpiText + "'";
        } else if (!options.settings) {
            error = "--dpi goes with --settings";
        } else {
            options.dpi = *dpi;
        }
    }
    if (error.empty() && options.settings && (!options.lines.empty() || options.mode != ConvTo::Fraction)) {
        error = "--settings takes no LINE and no -d";
    }
    return options;
}

}  // namespace zarn
