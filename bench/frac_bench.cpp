// frac's arithmetic against boost::rational<std::int64_t> (which does not detect overflow) and
// GMP's mpq_class (unbounded), on the same canonical operands of three sizes.

#include <benchmark/benchmark.h>
#include <gmpxx.h>

#include <array>
#include <boost/rational.hpp>
#include <cstdint>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "rational/frac.hpp"

namespace zarn::bench {
namespace {

struct Operands {
    std::vector<std::int64_t> numerators, denominators;
};

// Numerator magnitudes and denominators below 2^bits, for bits of 16, 24 and 31: below 2^31
// every sum, product and quotient of two of them fits, so Boost's unchecked results are exact.
Operands operands(int bits) {
    std::mt19937_64 random(5);
    const std::uint64_t range = std::uint64_t{1} << bits;
    Operands o;
    for (int i = 0; i < 1024; ++i) {
        o.numerators.push_back(static_cast<std::int64_t>(random() % (2 * range - 1)) - static_cast<std::int64_t>(range - 1));
        o.denominators.push_back(static_cast<std::int64_t>(random() % (range - 1)) + 1);
    }
    return o;
}

template <class Value, class Make>
std::vector<Value> build(const Operands& o, Make make) {
    std::vector<Value> values;
    for (std::size_t i = 0; i < o.numerators.size(); ++i) values.push_back(make(o.numerators[i], o.denominators[i]));
    return values;
}

// The same canonical operands for each: frac and Boost reduce them, GMP is told to.
struct Values {
    std::vector<frac> zarn;
    std::vector<boost::rational<std::int64_t>> boost;
    std::vector<mpq_class> gmp;
};

Values values(int bits) {
    const Operands o = operands(bits);
    return {
        build<frac>(o, [](std::int64_t n, std::int64_t d) { return frac(n, d); }),
        build<boost::rational<std::int64_t>>(
            o, [](std::int64_t n, std::int64_t d) { return boost::rational<std::int64_t>(n, d); }),
        build<mpq_class>(o, [](std::int64_t n, std::int64_t d) {
            mpq_class q(static_cast<long>(n), static_cast<unsigned long>(d));
            q.canonicalize();
            return q;
        }),
    };
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
    if constexpr (std::is_same_v<Value, frac>) return v.numerator() == 0 ? one : v;
    else return v == Value(0) ? one : v;
}

// frac/OP/PEER/BITS: add, mul, div and compare for each peer and operand size.
template <class Value>
void registerPeer(const std::string& peer, int bits, const std::vector<Value>& v, const Value& one) {
    const auto name = [&](const char* op) { return "frac/" + std::string(op) + "/" + peer + "/" + std::to_string(bits); };
    const auto add = [](auto& x, auto& y) {
        if constexpr (std::is_same_v<Value, frac>) return x.add(y);
        else return Value(x + y);
    };
    const auto mul = [](auto& x, auto& y) {
        if constexpr (std::is_same_v<Value, frac>) return x.mul(y);
        else return Value(x * y);
    };
    const auto div = [&one](auto& x, auto& y) {
        if constexpr (std::is_same_v<Value, frac>) return x.div(nonZero(y, one));
        else return Value(x / nonZero(y, one));
    };
    const auto compare = [](auto& x, auto& y) {
        if constexpr (std::is_same_v<Value, frac>) return x.compare(y);
        else if constexpr (std::is_same_v<Value, mpq_class>) return cmp(x, y);
        else return x < y;
    };
    benchmark::RegisterBenchmark(name("add").c_str(), [&v, add](benchmark::State& s) { pairwise(s, v, add); });
    benchmark::RegisterBenchmark(name("mul").c_str(), [&v, mul](benchmark::State& s) { pairwise(s, v, mul); });
    benchmark::RegisterBenchmark(name("div").c_str(), [&v, div](benchmark::State& s) { pairwise(s, v, div); });
    benchmark::RegisterBenchmark(name("compare").c_str(), [&v, compare](benchmark::State& s) { pairwise(s, v, compare); });
}

constexpr int kBits[] = {16, 24, 31};

void registerAll() {
    // The benchmarks read them by reference for the life of the program.
    static const std::array<Values, 3> all = {values(kBits[0]), values(kBits[1]), values(kBits[2])};
    static const frac fracOne(1, 1);
    static const boost::rational<std::int64_t> boostOne(1);
    static const mpq_class gmpOne(1);
    for (std::size_t i = 0; i < all.size(); ++i) {
        registerPeer("zarn", kBits[i], all[i].zarn, fracOne);
        registerPeer("boost", kBits[i], all[i].boost, boostOne);
        registerPeer("gmp", kBits[i], all[i].gmp, gmpOne);
    }
}

const bool registered = (registerAll(), true);

}  // namespace
}  // namespace zarn::bench
