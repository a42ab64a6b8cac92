#include "modules/cputest/KnownAnswers.h"

#include <cinttypes>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>

#include "modules/cputest/Sha256.h"

namespace tavil::modules {

namespace {

std::string Hex64(uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%016" PRIx64, value);
    return text;
}

// xorshift64 through multiplication, division and remainder.
std::string IntegerArithmetic() {
    uint64_t x = 0x243F6A8885A308D3ull, acc = 0;
    for (uint64_t i = 1; i <= 2000000; ++i) {
        x ^= x >> 12;
        x ^= x << 25;
        x ^= x >> 27;
        uint64_t y = x * 0x2545F4914F6CDD1Dull;
        acc += y / ((i & 0xFFFF) | 1) + y % 0x3B9ACA07ull;
        acc = ((acc << 7) | (acc >> 57)) ^ y;
    }
    return Hex64(acc);
}

// Multiplication, subtraction and square roots whose every step is exact
// in double precision, so the answer is the same on every floating-point
// unit, x87 or SSE: each term is d / 2.
std::string FloatingPointExact() {
    volatile double three = 3.0; // keeps the compiler from folding the loop
    double sum = 0;
    for (int i = 1; i <= 2000000; ++i) {
        double d = i;
        sum += std::sqrt(d * d) * three - d * 2.5;
    }
    char text[40];
    std::snprintf(text, sizeof text, "%.1f", sum);
    return text;
}

// A series with rounding in every step; printed bit-exact.
std::string FloatingPointSeries() {
    volatile double one = 1.0;
    double zeta = 0, growth = 0;
    for (int i = 1; i <= 2000000; ++i) {
        double d = i;
        zeta += one / (d * d);
        growth = growth * 1.0000001 + one / d;
    }
    char text[80];
    std::snprintf(text, sizeof text, "%a %a", zeta, growth);
    return text;
}

std::string HashOfFixedBuffer() {
    std::vector<uint8_t> buffer(1 << 20);
    uint64_t x = 0x9E3779B97F4A7C15ull;
    for (uint8_t& byte : buffer) {
        x = x * 6364136223846793005ull + 1442695040888963407ull;
        byte = static_cast<uint8_t>(x >> 56);
    }
    return Sha256Hex(buffer.data(), buffer.size());
}

// Primes below 5,000,000, by a sieve over the odd numbers.
std::string PrimeSieve() {
    constexpr uint32_t kLimit = 5000000;
    std::vector<uint8_t> composite(kLimit / 2, 0); // composite[k]: 2k + 1
    uint32_t count = 1;                            // the prime 2
    for (uint32_t k = 1; k < kLimit / 2; ++k) {
        if (composite[k])
            continue;
        ++count;
        uint64_t p = 2 * k + 1;
        for (uint64_t m = p * p; m < kLimit; m += 2 * p)
            composite[m / 2] = 1;
    }
    return std::to_string(count);
}

} // namespace

const std::vector<Computation>& Computations() {
    static const std::vector<Computation> computations = {
        {"Integer arithmetic", IntegerArithmetic, "0c54f16dc899b075"},
        {"Floating point", FloatingPointExact, "1000000500000.0"},
        {"Floating-point series", FloatingPointSeries, nullptr},
        {"SHA-256 of a fixed buffer", HashOfFixedBuffer,
         "a2a9989b98b465912baa3f85fd83f2954539e29dc8133aefa893b0f223ccb1ee"},
        {"Prime sieve", PrimeSieve, "348513"},
    };
    return computations;
}

std::vector<ProcessorFailure> CompareResults(const std::vector<int>& processors,
                                             const std::vector<std::vector<std::string>>& results) {
    std::vector<ProcessorFailure> failures;
    const std::vector<Computation>& computations = Computations();
    for (size_t c = 0; c < computations.size(); ++c) {
        std::string expected;
        if (computations[c].knownAnswer) {
            expected = computations[c].knownAnswer;
        } else {
            // The result most processors agree on; the earliest wins a tie.
            std::map<std::string, size_t> votes;
            size_t best = 0;
            for (const auto& row : results)
                if (c < row.size() && ++votes[row[c]] > best) {
                    best = votes[row[c]];
                    expected = row[c];
                }
            for (const auto& row : results)
                if (c < row.size() && votes[row[c]] == best) {
                    expected = row[c];
                    break;
                }
        }
        for (size_t p = 0; p < results.size(); ++p) {
            if (c >= results[p].size() || results[p][c] == expected)
                continue;
            int number = p < processors.size() ? processors[p] : static_cast<int>(p);
            failures.push_back({number, computations[c].name, expected, results[p][c]});
        }
    }
    return failures;
}

std::string FailureLine(const ProcessorFailure& f) {
    return "  Processor " + std::to_string(f.processor) + ": " + f.computation + " gave " + f.actual + ", expected " +
           f.expected + "\r\n";
}

} // namespace tavil::modules
