#include "modules/disktest/StorageCheck.h"

#include <cinttypes>
#include <cstdio>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include "modules/common/ModuleResults.h"

namespace tavil::modules {

namespace {

inline uint64_t Mix(uint64_t z) {
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// The test data's word `index` of a block whose own seed is `base`: a Weyl
// sequence through one xorshift, computed from the index so that the loops
// over it vectorise.  Each word of a block differs from the others, and
// each block from the others, which is what finds lost, stuck and
// misplaced data; it needs no better randomness, and its cost stays well
// below a drive's rate.
constexpr uint64_t kWeylStep = 0x9E3779B97F4A7C15ull;
inline uint64_t Shaped(uint64_t z) { return z ^ (z >> 29); }
inline uint64_t TestWord(uint64_t base, size_t index) {
    return Shaped(base + static_cast<uint64_t>(index) * kWeylStep);
}

inline uint64_t BlockBase(uint64_t blockNumber, uint64_t seed) {
    return Mix(seed ^ (blockNumber * 0xA24BAED4963EE407ull));
}

// Words checked together before a corruption is looked for byte by byte.
constexpr size_t kCheckGroup = 512;

constexpr uint64_t kMiB = uint64_t{1024} * 1024;

// Reads the file's blocks on a thread of its own into the two halves of the
// buffer, so that the drive reads the next block while this thread checks
// the last one.
class ReadAhead {
public:
    ReadAhead(BlockFile& file, uint64_t blocks, uint8_t* buffer)
        : file_(file), blocks_(blocks), buffer_(buffer), thread_([this] { Loop(); }) {}
    ~ReadAhead() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            cancelled_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }

    // The next block, or nullptr when it could not be read.
    const uint8_t* Next() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return read_ > taken_ || failed_; });
        if (read_ <= taken_)
            return nullptr;
        return buffer_ + (taken_ % 2) * kStorageBlockBytes;
    }
    // The block from Next() has been checked: its half may be read into.
    void Release() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            ++taken_;
        }
        changed_.notify_all();
    }

private:
    void Loop() {
        for (uint64_t b = 0; b < blocks_; ++b) {
            {
                std::unique_lock<std::mutex> lock(mutex_);
                changed_.wait(lock, [&] { return b - taken_ < 2 || cancelled_; });
                if (cancelled_)
                    return;
            }
            bool ok = file_.Read(buffer_ + (b % 2) * kStorageBlockBytes, kStorageBlockBytes);
            {
                std::lock_guard<std::mutex> lock(mutex_);
                if (ok)
                    ++read_;
                else
                    failed_ = true;
            }
            changed_.notify_all();
            if (!ok)
                return;
        }
    }

    BlockFile& file_;
    const uint64_t blocks_;
    uint8_t* const buffer_;
    std::mutex mutex_;
    std::condition_variable changed_;
    uint64_t read_ = 0, taken_ = 0;
    bool failed_ = false, cancelled_ = false;
    std::thread thread_; // last: starts when the rest is ready
};

} // namespace

uint64_t ChooseTestFileSize(uint64_t freeBytes) {
    uint64_t size = freeBytes / 2;
    if (size > kStorageLargestFile)
        size = kStorageLargestFile;
    size = size / kStorageBlockBytes * kStorageBlockBytes;
    return size < kStorageSmallestFile ? 0 : size;
}

void FillTestBlock(uint8_t* block, size_t size, uint64_t blockNumber, uint64_t seed) {
    const uint64_t base = BlockBase(blockNumber, seed);
    const size_t words = size / 8;
    uint64_t z = base; // TestWord(base, i), stepped rather than multiplied
    for (size_t i = 0; i < words; ++i, z += kWeylStep) {
        uint64_t word = Shaped(z);
        std::memcpy(block + 8 * i, &word, 8);
    }
    if (size % 8) {
        uint64_t word = TestWord(base, words);
        std::memcpy(block + 8 * words, &word, size % 8);
    }
}

size_t FindCorruption(const uint8_t* block, size_t size, uint64_t blockNumber, uint64_t seed) {
    const uint64_t base = BlockBase(blockNumber, seed);
    const size_t words = (size + 7) / 8;
    for (size_t group = 0; group < words; group += kCheckGroup) {
        size_t groupEnd = words - group > kCheckGroup ? group + kCheckGroup : words;
        // Whole words without a branch first (the loop vectorises).
        size_t whole = groupEnd * 8 <= size ? groupEnd : groupEnd - 1;
        uint64_t difference = 0;
        uint64_t z = base + static_cast<uint64_t>(group) * kWeylStep;
        for (size_t i = group; i < whole; ++i, z += kWeylStep) {
            uint64_t word;
            std::memcpy(&word, block + 8 * i, 8);
            difference |= word ^ Shaped(z);
        }
        if (difference == 0 && whole == groupEnd)
            continue;
        for (size_t i = group; i < groupEnd; ++i) {
            uint64_t expectedWord = TestWord(base, i);
            const uint8_t* expected = reinterpret_cast<const uint8_t*>(&expectedWord);
            size_t n = size - 8 * i < 8 ? size - 8 * i : 8;
            for (size_t k = 0; k < n; ++k)
                if (block[8 * i + k] != expected[k])
                    return 8 * i + k;
        }
    }
    return size;
}

StorageOutcome RunStorageCheck(BlockFile& file, uint64_t bytes, uint8_t* buffer, uint64_t seed,
                               const ProgressHooks& hooks) {
    StorageOutcome outcome;
    outcome.bytes = bytes;
    const uint64_t blocks = bytes / kStorageBlockBytes;
    auto stopped = [&] { return hooks.stopRequested && hooks.stopRequested(); };
    // A progress line at every quarter of each phase.
    auto progress = [&](const char* phase, uint64_t done) {
        if (blocks >= 4 && done % (blocks / 4) != 0 && done != blocks)
            return;
        char text[96];
        std::snprintf(text, sizeof text, "%s: %" PRIu64 " of %" PRIu64 " MB\r\n", phase,
                      done * kStorageBlockBytes / kMiB, bytes / kMiB);
        hooks.line(text);
    };

    double start = hooks.clock();
    for (uint64_t b = 0; b < blocks; ++b) {
        if (stopped()) {
            outcome.verdict = StorageVerdict::Stopped;
            return outcome;
        }
        FillTestBlock(buffer, kStorageBlockBytes, b, seed);
        if (!file.Write(buffer, kStorageBlockBytes)) {
            outcome.verdict = StorageVerdict::WriteFailed;
            outcome.error = file.LastError();
            return outcome;
        }
        progress("Written", b + 1);
    }
    outcome.writeSeconds = hooks.clock() - start;

    if (!file.Rewind()) {
        outcome.verdict = StorageVerdict::ReadFailed;
        outcome.error = file.LastError();
        return outcome;
    }
    start = hooks.clock();
    ReadAhead reader(file, blocks, buffer);
    for (uint64_t b = 0; b < blocks; ++b) {
        if (stopped()) {
            outcome.verdict = StorageVerdict::Stopped;
            return outcome;
        }
        const uint8_t* block = reader.Next();
        if (!block) {
            outcome.verdict = StorageVerdict::ReadFailed;
            outcome.error = file.LastError();
            return outcome;
        }
        size_t bad = FindCorruption(block, kStorageBlockBytes, b, seed);
        reader.Release();
        if (bad != kStorageBlockBytes) {
            outcome.verdict = StorageVerdict::Corrupted;
            outcome.corruptOffset = b * kStorageBlockBytes + bad;
            return outcome;
        }
        progress("Read and verified", b + 1);
    }
    outcome.readSeconds = hooks.clock() - start;
    return outcome;
}

std::string StorageSummary(const std::string& directory, const StorageOutcome& o) {
    char text[512];
    std::string summary = "Storage test of " + directory + "\r\n";
    std::snprintf(text, sizeof text, "Test file: %" PRIu64 " MB\r\n", o.bytes / kMiB);
    summary += text;
    switch (o.verdict) {
    case StorageVerdict::Passed:
        std::snprintf(text, sizeof text, "Write rate: %.1f MB/s\r\nRead rate: %.1f MB/s\r\nResult: passed\r\n",
                      RateMBps(o.bytes, o.writeSeconds), RateMBps(o.bytes, o.readSeconds));
        break;
    case StorageVerdict::Corrupted:
        std::snprintf(text, sizeof text,
                      "Result: FAILED, the data read back differs from what was written at byte %" PRIu64 "\r\n",
                      o.corruptOffset);
        break;
    case StorageVerdict::WriteFailed:
        std::snprintf(text, sizeof text, "Result: FAILED, the drive reported a write error: %s\r\n", o.error.c_str());
        break;
    case StorageVerdict::ReadFailed:
        std::snprintf(text, sizeof text, "Result: FAILED, the drive reported a read error: %s\r\n", o.error.c_str());
        break;
    case StorageVerdict::Stopped:
        std::snprintf(text, sizeof text, "Result: stopped before the end\r\n");
        break;
    }
    return summary + text;
}

int StorageExitCode(const StorageOutcome& o) {
    switch (o.verdict) {
    case StorageVerdict::Passed:
        return kResultPassed;
    case StorageVerdict::Corrupted:
        return kResultFaultFound;
    case StorageVerdict::WriteFailed:
    case StorageVerdict::ReadFailed:
        return kResultIoError;
    case StorageVerdict::Stopped:
    default:
        return kResultCouldNotTest;
    }
}

} // namespace tavil::modules
