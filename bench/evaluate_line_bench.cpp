// evaluateLine's throughput on generated lines, against tokenizing the same lines with
// std::regex and the notation's pattern (the textbook way, and only the first of its steps).

#include <benchmark/benchmark.h>

#include <regex>
#include <string>

#include "bench/lines.hpp"
#include "evaluator/evaluate_line.hpp"
#include "evaluator/scanner.hpp"

namespace zarn::bench {
namespace {

void setCounters(benchmark::State& state, const std::string& line) {
    const auto iterations = static_cast<std::size_t>(state.iterations());
    state.SetBytesProcessed(static_cast<std::int64_t>(iterations * line.size()));
    state.counters["tokens/s"] =
        benchmark::Counter(static_cast<double>(iterations * tokensIn(line)), benchmark::Counter::kIsRate);
}

void evaluate(benchmark::State& state, Mix mix, ConvTo mode) {
    const std::string line = generateLine(mix, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(evaluateLine(line, mode));
    setCounters(state, line);
}

void tokenizeWithRegex(benchmark::State& state, Mix mix) {
    const std::string line = generateLine(mix, static_cast<std::size_t>(state.range(0)));
    const std::regex pattern{std::string(tokenPattern)};
    for (auto _ : state) {
        std::size_t tokens = 0;
        for (auto it = std::sregex_iterator(line.begin(), line.end(), pattern); it != std::sregex_iterator(); ++it) {
            ++tokens;
        }
        benchmark::DoNotOptimize(tokens);
    }
    setCounters(state, line);
}

void tokenizeWithScanner(benchmark::State& state, Mix mix) {
    const std::string line = generateLine(mix, static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        std::size_t tokens = 0;
        for (Token t = findToken(line, 0); t.length != 0; t = findToken(line, t.start + t.length)) ++tokens;
        benchmark::DoNotOptimize(tokens);
    }
    setCounters(state, line);
}

// What one typed "+" costs at the end of a line of the given length: the line the window's
// round trip measures, evaluated here without the window.
void evaluateKeystroke(benchmark::State& state) {
    const auto length = static_cast<std::size_t>(state.range(0));
    std::string line;
    while (line.size() + 6 <= length) line += "1 2 + ";
    line.resize(length, ' ');
    line += '+';
    for (auto _ : state) benchmark::DoNotOptimize(evaluateLine(line, ConvTo::Fraction));
}

constexpr std::int64_t kSizes[] = {1 << 10, 32 << 10, 1 << 20};

void registerAll() {
    benchmark::RegisterBenchmark("keystroke", evaluateKeystroke)->Arg(100)->Arg(1000)->Arg(30000);
    for (const Mix mix : {Mix::Integers, Mix::Decimals, Mix::Fractions}) {
        const std::string name = mixName(mix);
        for (const std::int64_t size : kSizes) {
            benchmark::RegisterBenchmark(("evaluate/fraction/" + name).c_str(), evaluate, mix, ConvTo::Fraction)
                ->Arg(size);
            benchmark::RegisterBenchmark(("evaluate/decimal/" + name).c_str(), evaluate, mix, ConvTo::Decimal)
                ->Arg(size);
            benchmark::RegisterBenchmark(("tokenize/scanner/" + name).c_str(), tokenizeWithScanner, mix)->Arg(size);
            benchmark::RegisterBenchmark(("tokenize/regex/" + name).c_str(), tokenizeWithRegex, mix)->Arg(size);
        }
    }
}

const bool registered = (registerAll(), true);

}  // namespace
}  // namespace zarn::bench
