// The storage test's write, read-back and verification of a test file.
// Portable: the program gives it the real file (write-through, no cache);
// the tests give it a file in memory that can corrupt a byte or fail.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "modules/common/ProgressHooks.h"

namespace tavil::modules {

// The test file as the check sees it: written block by block from its
// start, then read back block by block from its start.
class BlockFile {
public:
    virtual ~BlockFile() = default;
    virtual bool Write(const uint8_t* data, size_t size) = 0;
    virtual bool Rewind() = 0;
    virtual bool Read(uint8_t* data, size_t size) = 0;
    // The system's reason for the last failure, for the message.
    virtual std::string LastError() const = 0;
};

constexpr size_t kStorageBlockBytes = size_t{1024} * 1024;
constexpr uint64_t kStorageLargestFile = 64ull * 1024 * 1024;
constexpr uint64_t kStorageSmallestFile = 4ull * 1024 * 1024;

// The test file size for a drive with `freeBytes` free: half of it, at
// most kStorageLargestFile, in whole blocks; 0 when it would be smaller
// than kStorageSmallestFile.
uint64_t ChooseTestFileSize(uint64_t freeBytes);

// Fills a block with its test data: pseudo-random words seeded by the
// block's number, so that a block written to the wrong place is found too.
void FillTestBlock(uint8_t* block, size_t size, uint64_t blockNumber, uint64_t seed);

// The offset of the first byte that differs from the block's test data,
// or `size` when the block is intact.
size_t FindCorruption(const uint8_t* block, size_t size, uint64_t blockNumber, uint64_t seed);

enum class StorageVerdict { Passed, Corrupted, WriteFailed, ReadFailed, Stopped };

struct StorageOutcome {
    StorageVerdict verdict = StorageVerdict::Passed;
    uint64_t bytes = 0;         // the test file's size
    double writeSeconds = 0;    // including the data generation
    double readSeconds = 0;     // including the verification
    uint64_t corruptOffset = 0; // of the first bad byte, for Corrupted
    std::string error;          // the system's reason, for WriteFailed and ReadFailed
};

// Writes `bytes` (whole blocks) of test data, reads them back and checks
// every byte.  `buffer` holds two blocks (2 * kStorageBlockBytes, aligned as
// the file needs): the drive reads into one while the other is checked.
// The file is read on a second thread.
StorageOutcome RunStorageCheck(BlockFile& file, uint64_t bytes, uint8_t* buffer, uint64_t seed,
                               const ProgressHooks& hooks);

// The result lines: the verdict and both rates ("Write rate: 123.4 MB/s").
std::string StorageSummary(const std::string& directory, const StorageOutcome& outcome);

// The exit code for the outcome (modules/common/ModuleResults.h).
int StorageExitCode(const StorageOutcome& outcome);

} // namespace tavil::modules
