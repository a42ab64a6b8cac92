#include "modules/memtest/MemoryPatterns.h"

#include <cinttypes>
#include <cstdio>

namespace tavil::modules {

namespace {

// Words written or read between two looks at Stop and progress: 8 MiB,
// a few milliseconds of work.
constexpr size_t kChunkWords = size_t(1) << 20;

// A counter-based generator (a Weyl sequence through one multiply-xorshift
// round), so a word's random value is computed again from its index when
// it is read back, and the loops over it vectorise.
inline MemoryWord RandomWord(uint64_t seed, size_t index) {
    uint64_t z = seed + (static_cast<uint64_t>(index) + 1) * 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 32)) * 0xD6E8FEB86659FD93ull;
    return z ^ (z >> 32);
}

// Words checked together before a mismatch is looked for word by word.
constexpr size_t kVerifyGroup = 256;

template <typename Value> void FillWith(MemoryWord* block, size_t begin, size_t end, Value value) {
    for (size_t i = begin; i < end; ++i)
        block[i] = value(i);
}

// Compares a group of words without a branch (so the loop vectorises);
// only a group that differs is gone through again word by word.
template <typename Value>
size_t VerifyWith(const MemoryWord* block, size_t begin, size_t end, MismatchLog& log, Value value) {
    size_t found = 0;
    for (size_t group = begin; group < end; group += kVerifyGroup) {
        size_t groupEnd = end - group > kVerifyGroup ? group + kVerifyGroup : end;
        MemoryWord difference = 0;
        for (size_t i = group; i < groupEnd; ++i)
            difference |= block[i] ^ value(i);
        if (difference == 0)
            continue;
        for (size_t i = group; i < groupEnd; ++i) {
            MemoryWord expected = value(i);
            MemoryWord actual = block[i];
            if (actual != expected) {
                log.Add(&block[i], expected, actual);
                ++found;
            }
        }
    }
    return found;
}

// Calls `apply` with the value function of `pattern`, so that each loop is
// compiled for its pattern.
template <typename Apply> auto WithPattern(MemoryPattern pattern, const MemoryWord* block, uint64_t seed, Apply apply) {
    switch (pattern) {
    case MemoryPattern::WalkingOnes:
        return apply([](size_t i) { return MemoryWord(1) << (i & 63); });
    case MemoryPattern::WalkingZeros:
        return apply([](size_t i) { return ~(MemoryWord(1) << (i & 63)); });
    case MemoryPattern::Checkerboard:
        return apply([](size_t) { return MemoryWord(0xAAAAAAAAAAAAAAAAull); });
    case MemoryPattern::InverseCheckerboard:
        return apply([](size_t) { return MemoryWord(0x5555555555555555ull); });
    case MemoryPattern::AddressInAddress: {
        uintptr_t base = reinterpret_cast<uintptr_t>(block);
        return apply([base](size_t i) { return MemoryWord(base + i * sizeof(MemoryWord)); });
    }
    case MemoryPattern::Random:
    default:
        return apply([seed](size_t i) { return RandomWord(seed, i); });
    }
}

} // namespace

const std::vector<MemoryPatternInfo>& MemoryPatterns() {
    static const std::vector<MemoryPatternInfo> patterns = {
        {MemoryPattern::WalkingOnes, "Walking ones"},
        {MemoryPattern::WalkingZeros, "Walking zeros"},
        {MemoryPattern::Checkerboard, "Checkerboard"},
        {MemoryPattern::InverseCheckerboard, "Inverse checkerboard"},
        {MemoryPattern::AddressInAddress, "Address in address"},
        {MemoryPattern::Random, "Random fill"},
    };
    return patterns;
}

MemoryWord ExpectedWord(MemoryPattern pattern, const MemoryWord* block, size_t index, uint64_t seed) {
    return WithPattern(pattern, block, seed, [index](auto value) { return value(index); });
}

void FillPattern(MemoryPattern pattern, MemoryWord* block, size_t begin, size_t end, uint64_t seed) {
    WithPattern(pattern, block, seed, [=](auto value) { FillWith(block, begin, end, value); });
}

size_t VerifyPattern(MemoryPattern pattern, const MemoryWord* block, size_t begin, size_t end, uint64_t seed,
                     MismatchLog& log) {
    return WithPattern(pattern, block, seed, [&](auto value) { return VerifyWith(block, begin, end, log, value); });
}

void MismatchLog::Add(const void* address, MemoryWord expected, MemoryWord actual) {
    ++count_;
    if (listed_.size() < kListed)
        listed_.push_back({address, expected, actual});
}

std::string MismatchLine(const MemoryMismatch& m) {
    char line[160];
    std::snprintf(line, sizeof line,
                  "  Error at 0x%0*" PRIxPTR ": expected 0x%016" PRIx64 ", read 0x%016" PRIx64 " (bits 0x%016" PRIx64
                  ")\r\n",
                  static_cast<int>(sizeof(void*) * 2), reinterpret_cast<uintptr_t>(m.address), m.expected, m.actual,
                  m.expected ^ m.actual);
    return line;
}

MemoryTestOutcome RunMemoryTest(MemoryWord* block, size_t words, int repeats, uint64_t seed, TestReporter& reporter,
                                const std::function<void(MemoryPattern)>& afterFill) {
    MemoryTestOutcome outcome;
    if (repeats < 1)
        repeats = 1;
    const std::vector<MemoryPatternInfo>& patterns = MemoryPatterns();
    // Progress counts chunks: a write and a read of every chunk per pattern
    // and pass.
    const size_t chunks = (words + kChunkWords - 1) / kChunkWords;
    const unsigned long long total = 2ull * chunks * patterns.size() * static_cast<unsigned>(repeats);
    unsigned long long done = 0;
    MismatchLog log;
    reporter.Progress(0);

    // Runs `step` over the block chunk by chunk; false when Stop was pressed.
    auto overChunks = [&](auto step) {
        for (size_t begin = 0; begin < words; begin += kChunkWords) {
            if (reporter.StopRequested())
                return false;
            size_t end = words - begin > kChunkWords ? begin + kChunkWords : words;
            step(begin, end);
            ++done;
            reporter.Progress(static_cast<int>(done * 100 / total));
        }
        return true;
    };

    for (int pass = 1; pass <= repeats && !outcome.stopped; ++pass) {
        for (const MemoryPatternInfo& info : patterns) {
            size_t before = log.count();
            size_t listedBefore = log.listed().size();
            bool complete =
                overChunks([&](size_t b, size_t e) { FillPattern(info.pattern, block, b, e, seed + pass); });
            if (complete && afterFill)
                afterFill(info.pattern);
            complete = complete && overChunks([&](size_t b, size_t e) {
                           VerifyPattern(info.pattern, block, b, e, seed + pass, log);
                       });
            char line[128];
            size_t found = log.count() - before;
            std::snprintf(line, sizeof line, "Pass %d/%d  %-22s %s", pass, repeats, info.name,
                          !complete    ? "stopped"
                          : found == 0 ? "OK"
                                       : "");
            std::string text = line;
            if (complete && found != 0)
                text += std::to_string(found) + (found == 1 ? " error" : " errors");
            reporter.Line(text + "\r\n");
            for (size_t i = listedBefore; i < log.listed().size(); ++i)
                reporter.Line(MismatchLine(log.listed()[i]));
            if (!complete) {
                outcome.stopped = true;
                break;
            }
        }
    }
    if (log.count() > log.listed().size())
        reporter.Line("  ... " + std::to_string(log.count() - log.listed().size()) + " more errors not listed\r\n");
    outcome.mismatches = log.count();
    if (!outcome.stopped)
        reporter.Progress(100);
    return outcome;
}

} // namespace tavil::modules
