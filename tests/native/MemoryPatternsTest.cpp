// The memory test's patterns over a small block, with faults put into the
// block between the writing and the reading back.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "modules/memtest/MemoryPatterns.h"

using namespace tavil::modules;

namespace {

struct RecordingReporter : TestReporter {
    std::vector<std::string> lines;
    std::vector<int> progress;
    int stopAfterQueries = -1; // answer Stop from this query on
    int queries = 0;
    void Line(const std::string& line) override { lines.push_back(line); }
    void Progress(int percent) override { progress.push_back(percent); }
    bool StopRequested() override { return stopAfterQueries >= 0 && queries++ >= stopAfterQueries; }
    std::string All() const {
        std::string all;
        for (const std::string& l : lines)
            all += l;
        return all;
    }
};

std::string Hex(const void* address) {
    char text[32];
    std::snprintf(text, sizeof text, "0x%0*llx", static_cast<int>(sizeof(void*) * 2),
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(address)));
    return text;
}

} // namespace

TEST(MemoryPatterns, EachPatternReadsBackCleanAndHasItsShape) {
    std::vector<MemoryWord> block(1000);
    for (const MemoryPatternInfo& info : MemoryPatterns()) {
        FillPattern(info.pattern, block.data(), 0, block.size(), 7);
        MismatchLog log;
        EXPECT_EQ(0u, VerifyPattern(info.pattern, block.data(), 0, block.size(), 7, log)) << info.name;
    }
    struct Case {
        MemoryPattern pattern;
        size_t index;
        MemoryWord value;
    } cases[] = {
        {MemoryPattern::WalkingOnes, 0, 1},
        {MemoryPattern::WalkingOnes, 65, 2},
        {MemoryPattern::WalkingZeros, 63, 0x7FFFFFFFFFFFFFFFull},
        {MemoryPattern::Checkerboard, 5, 0xAAAAAAAAAAAAAAAAull},
        {MemoryPattern::InverseCheckerboard, 5, 0x5555555555555555ull},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value, ExpectedWord(c.pattern, block.data(), c.index, 7)) << c.index;
    EXPECT_EQ(reinterpret_cast<uintptr_t>(&block[9]),
              ExpectedWord(MemoryPattern::AddressInAddress, block.data(), 9, 7));
    EXPECT_NE(ExpectedWord(MemoryPattern::Random, block.data(), 1, 7),
              ExpectedWord(MemoryPattern::Random, block.data(), 1, 8))
        << "the seed changes the random fill";
}

TEST(MemoryPatterns, FlippedBitIsReportedAtItsAddressWithBothValues) {
    std::vector<MemoryWord> block(3 * 1000);
    RecordingReporter reporter;
    size_t flips = 0;
    // Bit 17 of word 1234 fails only under the checkerboard.
    MemoryTestOutcome outcome = RunMemoryTest(block.data(), block.size(), 1, 99, reporter, [&](MemoryPattern pattern) {
        if (pattern == MemoryPattern::Checkerboard) {
            block[1234] ^= MemoryWord(1) << 17;
            ++flips;
        }
    });
    EXPECT_EQ(1u, flips);
    EXPECT_EQ(1u, outcome.mismatches);
    EXPECT_FALSE(outcome.stopped);
    std::string expected = "  Error at " + Hex(&block[1234]) +
                           ": expected 0xaaaaaaaaaaaaaaaa, read 0xaaaaaaaaaaa8aaaa (bits 0x0000000000020000)\r\n";
    ASSERT_EQ(7u, reporter.lines.size()) << reporter.All(); // six patterns and the error
    EXPECT_EQ("Pass 1/1  Checkerboard           1 error\r\n", reporter.lines[2]);
    EXPECT_EQ(expected, reporter.lines[3]);
    EXPECT_EQ("Pass 1/1  Walking ones           OK\r\n", reporter.lines[0]);
    EXPECT_EQ(100, reporter.progress.back());
}

TEST(MemoryPatterns, ManyErrorsListTheFirstFewThenCountTheRest) {
    std::vector<MemoryWord> block(500);
    RecordingReporter reporter;
    MemoryTestOutcome outcome = RunMemoryTest(block.data(), block.size(), 2, 1, reporter, [&](MemoryPattern p) {
        if (p == MemoryPattern::AddressInAddress)
            for (size_t i = 100; i < 120; ++i)
                block[i] = 0; // a stuck-at-zero stretch
    });
    EXPECT_EQ(40u, outcome.mismatches) << "20 words in each of two passes";
    std::string all = reporter.All();
    EXPECT_NE(std::string::npos, all.find("Pass 1/2  Address in address     20 errors\r\n")) << all;
    EXPECT_NE(std::string::npos, all.find("Pass 2/2  Address in address     20 errors\r\n")) << all;
    size_t listed = 0;
    for (const std::string& l : reporter.lines)
        listed += l.rfind("  Error at ", 0) == 0;
    EXPECT_EQ(MismatchLog::kListed, listed);
    EXPECT_EQ("  ... 32 more errors not listed\r\n", reporter.lines.back());
}

TEST(MemoryPatterns, StopEndsTheRunBetweenChunks) {
    // Three chunks of 2^20 words; Stop comes at the fourth look.
    std::vector<MemoryWord> block(3 << 20);
    RecordingReporter reporter;
    reporter.stopAfterQueries = 3;
    MemoryTestOutcome outcome = RunMemoryTest(block.data(), block.size(), 5, 1, reporter);
    EXPECT_TRUE(outcome.stopped);
    EXPECT_EQ(0u, outcome.mismatches);
    ASSERT_EQ(1u, reporter.lines.size());
    EXPECT_EQ("Pass 1/5  Walking ones           stopped\r\n", reporter.lines[0]);
    EXPECT_NE(100, reporter.progress.back()) << "a stopped test has not finished";
}

TEST(MemoryPatterns, ProgressRisesToOneHundredOverAllPasses) {
    std::vector<MemoryWord> block(64);
    RecordingReporter reporter;
    RunMemoryTest(block.data(), block.size(), 3, 1, reporter);
    // One chunk: a write and a read of each of six patterns in three passes.
    ASSERT_EQ(1u + 36u + 1u, reporter.progress.size());
    EXPECT_EQ(0, reporter.progress.front());
    EXPECT_EQ(50, reporter.progress[18]);
    EXPECT_EQ(100, reporter.progress.back());
    for (size_t i = 1; i < reporter.progress.size(); ++i)
        EXPECT_LE(reporter.progress[i - 1], reporter.progress[i]);
}

TEST(MemoryPatterns, MinutesLeft) {
    struct Case {
        unsigned long long elapsedMs;
        int percent, minutes;
    } cases[] = {{0, 0, -1}, {1000, 100, 0}, {1000, 50, 1}, {60000, 50, 1}, {60001, 50, 2}, {30000, 10, 5}};
    int row = 0;
    for (const Case& c : cases)
        EXPECT_EQ(c.minutes, MinutesLeft(c.elapsedMs, c.percent)) << "row " << row++;
}
