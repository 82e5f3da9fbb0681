// frac's arithmetic against boost::rational<std::int64_t> (which does not detect overflow) and
// GMP's mpq_class (unbounded), on the same operands.

#include <benchmark/benchmark.h>
#include <gmpxx.h>

#include <boost/rational.hpp>
#include <cstdint>
#include <random>
#include <vector>

#include "rational/frac.hpp"

namespace zarn::bench {
namespace {

struct Operands {
    std::vector<std::int64_t> numerators, denominators;
};

// Fractions with numerators and denominators below 2^20, whose sums and products all fit.
const Operands& operands() {
    static const Operands values = [] {
        std::mt19937_64 random(5);
        Operands o;
        for (int i = 0; i < 1024; ++i) {
            o.numerators.push_back(static_cast<std::int64_t>(random() % (1 << 20)) - (1 << 19));
            o.denominators.push_back(static_cast<std::int64_t>(random() % (1 << 20)) + 1);
        }
        return o;
    }();
    return values;
}

template <class Value, class Make>
std::vector<Value> build(Make make) {
    const Operands& o = operands();
    std::vector<Value> values;
    for (std::size_t i = 0; i < o.numerators.size(); ++i) values.push_back(make(o.numerators[i], o.denominators[i]));
    return values;
}

std::vector<frac> fracs() {
    return build<frac>([](std::int64_t n, std::int64_t d) { return frac(n, d); });
}
std::vector<boost::rational<std::int64_t>> boosts() {
    return build<boost::rational<std::int64_t>>(
        [](std::int64_t n, std::int64_t d) { return boost::rational<std::int64_t>(n, d); });
}
std::vector<mpq_class> mpqs() {
    return build<mpq_class>([](std::int64_t n, std::int64_t d) {
        mpq_class q(static_cast<long>(n), static_cast<unsigned long>(d));
        q.canonicalize();
        return q;
    });
}

// Runs `op` on successive pairs of values; one iteration is one operation.
template <class Value, class Op>
void pairwise(benchmark::State& state, const std::vector<Value>& values, Op op) {
    std::size_t i = 0;
    const std::size_t mask = values.size() - 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(op(values[i & mask], values[(i + 1) & mask]));
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}

// A few operands are zero; a division by one would throw (frac) or fault (the peers).
template <class Value>
const Value& nonZero(const Value& v, const Value& one) {
    return v == Value(0) ? one : v;
}

void registerAll() {
    static const std::vector<frac> f = fracs();
    static const std::vector<boost::rational<std::int64_t>> b = boosts();
    static const std::vector<mpq_class> g = mpqs();
    static const frac fracOne(1, 1);
    static const boost::rational<std::int64_t> boostOne(1);
    static const mpq_class mpqOne(1);

    benchmark::RegisterBenchmark("frac/add/zarn", [](benchmark::State& s) { pairwise(s, f, [](auto& x, auto& y) { return x.add(y); }); });
    benchmark::RegisterBenchmark("frac/add/boost", [](benchmark::State& s) { pairwise(s, b, [](auto& x, auto& y) { return x + y; }); });
    benchmark::RegisterBenchmark("frac/add/gmp", [](benchmark::State& s) { pairwise(s, g, [](auto& x, auto& y) { return mpq_class(x + y); }); });
    benchmark::RegisterBenchmark("frac/mul/zarn", [](benchmark::State& s) { pairwise(s, f, [](auto& x, auto& y) { return x.mul(y); }); });
    benchmark::RegisterBenchmark("frac/mul/boost", [](benchmark::State& s) { pairwise(s, b, [](auto& x, auto& y) { return x * y; }); });
    benchmark::RegisterBenchmark("frac/mul/gmp", [](benchmark::State& s) { pairwise(s, g, [](auto& x, auto& y) { return mpq_class(x * y); }); });
    benchmark::RegisterBenchmark("frac/div/zarn", [](benchmark::State& s) {
        pairwise(s, f, [](auto& x, auto& y) { return x.div(y.numerator() == 0 ? fracOne : y); });
    });
    benchmark::RegisterBenchmark("frac/div/boost", [](benchmark::State& s) {
        pairwise(s, b, [](auto& x, auto& y) { return x / nonZero(y, boostOne); });
    });
    benchmark::RegisterBenchmark("frac/div/gmp", [](benchmark::State& s) {
        pairwise(s, g, [](auto& x, auto& y) { return mpq_class(x / nonZero(y, mpqOne)); });
    });
    benchmark::RegisterBenchmark("frac/compare/zarn", [](benchmark::State& s) { pairwise(s, f, [](auto& x, auto& y) { return x.compare(y); }); });
    benchmark::RegisterBenchmark("frac/compare/boost", [](benchmark::State& s) { pairwise(s, b, [](auto& x, auto& y) { return x < y; }); });
    benchmark::RegisterBenchmark("frac/compare/gmp", [](benchmark::State& s) { pairwise(s, g, [](auto& x, auto& y) { return cmp(x, y); }); });
}

const bool registered = (registerAll(), true);

}  // namespace
}  // namespace zarn::bench
