// The memory test's patterns and the run over a block of memory.  Portable:
// the module gives it a block it allocated; the tests give it a small one
// and flip bits in it between writing and reading back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "modules/common/TestReporter.h"

namespace tavil::modules {

using MemoryWord = uint64_t;

enum class MemoryPattern {
    WalkingOnes,         // word i holds a single 1 at bit i mod 64
    WalkingZeros,        // the complement: a single 0 at bit i mod 64
    Checkerboard,        // 0xAAAA... in every word
    InverseCheckerboard, // 0x5555... in every word
    AddressInAddress,    // every word holds its own address
    Random,              // a pseudo-random value from the seed and the index
};

struct MemoryPatternInfo {
    MemoryPattern pattern;
    const char* name;
};
// Every pattern, in the order the test runs them.
const std::vector<MemoryPatternInfo>& MemoryPatterns();

// The value word `index` of `block` holds under `pattern`.
MemoryWord ExpectedWord(MemoryPattern pattern, const MemoryWord* block, size_t index, uint64_t seed);

// Writes the pattern into words [begin, end) of the block.
void FillPattern(MemoryPattern pattern, MemoryWord* block, size_t begin, size_t end, uint64_t seed);

struct MemoryMismatch {
    const void* address;
    MemoryWord expected;
    MemoryWord actual;
};

// The mismatches found: the first kListed in full, the rest counted.
class MismatchLog {
public:
    static constexpr size_t kListed = 8;
    void Add(const void* address, MemoryWord expected, MemoryWord actual);
    size_t count() const { return count_; }
    const std::vector<MemoryMismatch>& listed() const { return listed_; }

private:
    size_t count_ = 0;
    std::vector<MemoryMismatch> listed_;
};

// Reads words [begin, end) back and records each that differs from the
// pattern.  Returns the number of mismatches found in the range.
size_t VerifyPattern(MemoryPattern pattern, const MemoryWord* block, size_t begin, size_t end, uint64_t seed,
                     MismatchLog& log);

// "  Error at 0x...: expected 0x..., read 0x... (bits 0x...)\r\n"
std::string MismatchLine(const MemoryMismatch& mismatch);

struct MemoryTestOutcome {
    size_t mismatches = 0;
    bool stopped = false; // the user pressed Stop before the end
};

// Runs every pattern over the block, `repeats` times: each pattern is
// written over the whole block, then read back.  Works in chunks so that
// Stop and progress are looked at every few milliseconds.  `afterFill`,
// when set, runs between the writing and the reading of each pattern.
MemoryTestOutcome RunMemoryTest(MemoryWord* block, size_t words, int repeats, uint64_t seed, TestReporter& reporter,
                                const std::function<void(MemoryPattern)>& afterFill = {});

} // namespace tavil::modules
