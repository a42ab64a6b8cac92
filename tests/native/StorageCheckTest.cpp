// The storage test's write, read-back and verification against a file in
// memory that can corrupt a byte or fail.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "modules/common/ModuleResults.h"
#include "modules/disktest/StorageCheck.h"

using namespace tavil::modules;

namespace {

class MemoryFile : public BlockFile {
public:
    std::vector<uint8_t> data;
    size_t position = 0;
    long corruptAt = -1;   // flips this byte when it is read back
    long failWriteAt = -1; // the write that covers this offset fails
    bool Write(const uint8_t* p, size_t n) override {
        if (failWriteAt >= 0 && position + n > static_cast<size_t>(failWriteAt))
            return false;
        data.insert(data.end(), p, p + n);
        position += n;
        return true;
    }
    bool Rewind() override {
        position = 0;
        return true;
    }
    bool Read(uint8_t* p, size_t n) override {
        if (position + n > data.size())
            return false;
        std::memcpy(p, data.data() + position, n);
        if (corruptAt >= 0 && static_cast<size_t>(corruptAt) >= position &&
            static_cast<size_t>(corruptAt) < position + n)
            p[corruptAt - position] ^= 0x10;
        position += n;
        return true;
    }
    std::string LastError() const override { return "The device is not ready. (21)"; }
};

struct CheckRun {
    StorageOutcome outcome;
    std::vector<std::string> lines;
};

CheckRun Check(MemoryFile& file, uint64_t bytes, std::function<bool()> stop = {}) {
    CheckRun run;
    std::vector<uint8_t> buffer(2 * kStorageBlockBytes);
    double now = 0;
    ProgressHooks hooks;
    hooks.clock = [&now] { return now += 0.5; };
    hooks.line = [&run](const std::string& l) { run.lines.push_back(l); };
    hooks.stopRequested = stop;
    run.outcome = RunStorageCheck(file, bytes, buffer.data(), 42, hooks);
    return run;
}

constexpr uint64_t kMB = 1024 * 1024;

} // namespace

TEST(StorageCheck, FileSizeFollowsTheFreeSpace) {
    struct Case {
        uint64_t free, size;
    } cases[] = {{0, 0}, {8 * kMB - 1, 0}, {8 * kMB, 4 * kMB}, {21 * kMB, 10 * kMB}, {1ull << 40, 64 * kMB}};
    for (const Case& c : cases)
        EXPECT_EQ(c.size, ChooseTestFileSize(c.free)) << c.free;
}

TEST(StorageCheck, SoundFilePassesWithRatesAndProgress) {
    MemoryFile file;
    CheckRun run = Check(file, 8 * kMB);
    EXPECT_EQ(StorageVerdict::Passed, run.outcome.verdict);
    EXPECT_EQ(kResultPassed, StorageExitCode(run.outcome));
    EXPECT_EQ(8 * kMB, file.data.size());
    std::vector<std::string> expected = {"Written: 2 of 8 MB\r\n",           "Written: 4 of 8 MB\r\n",
                                         "Written: 6 of 8 MB\r\n",           "Written: 8 of 8 MB\r\n",
                                         "Read and verified: 2 of 8 MB\r\n", "Read and verified: 4 of 8 MB\r\n",
                                         "Read and verified: 6 of 8 MB\r\n", "Read and verified: 8 of 8 MB\r\n"};
    EXPECT_EQ(expected, run.lines);
    // Each phase took 0.5 s of the fake clock: 16 MB/s.
    EXPECT_EQ("Storage test of D:\\t\\\r\nTest file: 8 MB\r\nWrite rate: 16.0 MB/s\r\nRead rate: 16.0 MB/s\r\n"
              "Result: passed\r\n",
              StorageSummary("D:\\t\\", run.outcome));
    std::vector<uint8_t> first(file.data.begin(), file.data.begin() + kStorageBlockBytes);
    std::vector<uint8_t> second(file.data.begin() + kStorageBlockBytes, file.data.begin() + 2 * kStorageBlockBytes);
    EXPECT_NE(first, second) << "every block holds data of its own";
}

TEST(StorageCheck, FaultsGiveTheirVerdictsAndExitCodes) {
    struct Case {
        const char* what;
        long corruptAt, failWriteAt;
        StorageVerdict verdict;
        int exitCode;
        std::string resultLine;
    } cases[] = {
        {"corrupted byte", 5 * 1048576 + 77, -1, StorageVerdict::Corrupted, kResultFaultFound,
         "Result: FAILED, the data read back differs from what was written at byte 5242957\r\n"},
        {"last byte corrupted", 8 * 1048576 - 1, -1, StorageVerdict::Corrupted, kResultFaultFound,
         "Result: FAILED, the data read back differs from what was written at byte 8388607\r\n"},
        {"write error", -1, 3 * 1048576, StorageVerdict::WriteFailed, kResultIoError,
         "Result: FAILED, the drive reported a write error: The device is not ready. (21)\r\n"},
    };
    for (const Case& c : cases) {
        MemoryFile file;
        file.corruptAt = c.corruptAt;
        file.failWriteAt = c.failWriteAt;
        CheckRun run = Check(file, 8 * kMB);
        EXPECT_EQ(c.verdict, run.outcome.verdict) << c.what;
        EXPECT_EQ(c.exitCode, StorageExitCode(run.outcome)) << c.what;
        std::string summary = StorageSummary("D:\\", run.outcome);
        EXPECT_EQ(c.resultLine, summary.substr(summary.rfind("Result:"))) << c.what;
    }
}

TEST(StorageCheck, FileThatEndsEarlyIsAReadError) {
    struct ShortFile : MemoryFile {
        bool Write(const uint8_t*, size_t) override { return true; } // keeps nothing
    } file;
    CheckRun run = Check(file, 4 * kMB);
    EXPECT_EQ(StorageVerdict::ReadFailed, run.outcome.verdict);
    EXPECT_EQ(kResultIoError, StorageExitCode(run.outcome));
}

TEST(StorageCheck, StopIsNeverAPass) {
    MemoryFile file;
    int looks = 0;
    CheckRun run = Check(file, 8 * kMB, [&] { return ++looks > 10; });
    EXPECT_EQ(StorageVerdict::Stopped, run.outcome.verdict);
    EXPECT_EQ(kResultCouldNotTest, StorageExitCode(run.outcome));
}

TEST(StorageCheck, EveryByteOfABlockIsChecked) {
    std::vector<uint8_t> block(1000 + 3); // not a whole number of words
    FillTestBlock(block.data(), block.size(), 9, 1);
    EXPECT_EQ(block.size(), FindCorruption(block.data(), block.size(), 9, 1));
    EXPECT_EQ(0u, FindCorruption(block.data(), block.size(), 10, 1)) << "another block's data";
    for (size_t at : {size_t(0), size_t(7), size_t(8), size_t(1002)}) {
        block[at] ^= 1;
        EXPECT_EQ(at, FindCorruption(block.data(), block.size(), 9, 1));
        block[at] ^= 1;
    }
}
