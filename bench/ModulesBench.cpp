// Module benchmark, two ratios measured in one run:
//  1. the memory test's pattern throughput (every pattern written over the
//     block and read back) against a bare memset and memcmp over the same
//     block;
//  2. the storage test's write and read rates (test data made, written
//     through, read past the cache and verified) against a bare write and
//     read of the same file with the same flags;
//  3. the surface scan's read rate over an image file (its reading core
//     on its own unbuffered device, as it reads a drive) against a bare
//     unbuffered read of the same file in blocks of the same size.
//
//   xvfb-run -a wine build/x86_64/bench/modules_bench.exe [block-MB] [file-MB] [image-MB]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/Handles.h"
#include "modules/common/ConsoleProgram.h"
#include "modules/disktest/StorageCheck.h"
#include "modules/disktest/UnbufferedFile.h"
#include "modules/hddscan/DriveDevice.h"
#include "modules/memtest/MemoryPatterns.h"

using namespace tavil::modules;

namespace {

double Now() {
    LARGE_INTEGER frequency, now;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct QuietReporter : TestReporter {
    void Line(const std::string&) override {}
    void Progress(int) override {}
    bool StopRequested() override { return false; }
};

constexpr double kMB = 1024.0 * 1024.0;

void MemoryFigures(size_t megabytes) {
    size_t bytes = megabytes << 20;
    auto* block = static_cast<MemoryWord*>(::VirtualAlloc(nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (!block) {
        std::printf("memory: could not allocate %zu MB\n", megabytes);
        return;
    }
    std::memset(block, 0, bytes); // the pages are touched before either timing

    // Bare: one write of the block and one read of it, the traffic of one
    // pattern.  memcmp reads both halves, so the whole block is read once.
    volatile int sink = 0;
    double bareBest = 1e9;
    for (int round = 0; round < 5; ++round) {
        double start = Now();
        std::memset(block, 0xAA, bytes);
        sink = sink + std::memcmp(block, reinterpret_cast<char*>(block) + bytes / 2, bytes / 2);
        double seconds = Now() - start;
        if (seconds < bareBest)
            bareBest = seconds;
    }
    double bareRate = 2.0 * static_cast<double>(bytes) / kMB / bareBest;

    QuietReporter reporter;
    double testBest = 1e9;
    for (int round = 0; round < 5; ++round) {
        double start = Now();
        RunMemoryTest(block, bytes / sizeof(MemoryWord), 1, 1, reporter);
        double seconds = Now() - start;
        if (seconds < testBest)
            testBest = seconds;
    }
    double patterns = static_cast<double>(MemoryPatterns().size());
    double testRate = 2.0 * patterns * static_cast<double>(bytes) / kMB / testBest;
    std::printf("memory test patterns : %8.0f MB/s (%zu MB block, %0.f patterns in %.3f s)\n", testRate, megabytes,
                patterns, testBest);
    std::printf("bare memset + memcmp : %8.0f MB/s\n", bareRate);
    std::printf("ratio                : %8.2f (goal: at least 0.5)\n\n", testRate / bareRate);
    ::VirtualFree(block, 0, MEM_RELEASE);
}

// Bare write and read of `bytes` with the storage test's own file.
bool BareFile(const std::string& path, uint64_t bytes, uint8_t* buffer, double& writeSeconds, double& readSeconds) {
    UnbufferedFile file(path);
    if (!file.IsOpen())
        return false;
    std::memset(buffer, 0x5A, kStorageBlockBytes);
    double start = Now();
    for (uint64_t done = 0; done < bytes; done += kStorageBlockBytes)
        if (!file.Write(buffer, kStorageBlockBytes))
            return false;
    writeSeconds = Now() - start;
    if (!file.Rewind())
        return false;
    start = Now();
    for (uint64_t done = 0; done < bytes; done += kStorageBlockBytes)
        if (!file.Read(buffer, kStorageBlockBytes))
            return false;
    readSeconds = Now() - start;
    return true;
}

void StorageFigures(uint64_t megabytes) {
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    std::string path = std::string(temp) + "tavil_storage_bench.tmp";
    uint64_t bytes = megabytes << 20;
    AlignedBlock block = AllocateAligned(2 * kStorageBlockBytes);
    uint8_t* buffer = block.get();

    double bareWrite = 1e9, bareRead = 1e9, testWrite = 1e9, testRead = 1e9;
    for (int round = 0; round < 5; ++round) {
        double w = 0, r = 0;
        if (!BareFile(path, bytes, buffer, w, r)) {
            std::printf("storage: the bare file could not be written in %s\n", temp);
            return;
        }
        bareWrite = w < bareWrite ? w : bareWrite;
        bareRead = r < bareRead ? r : bareRead;

        UnbufferedFile file(path);
        ProgressHooks hooks;
        hooks.clock = Now;
        hooks.line = [](const std::string&) {};
        StorageOutcome outcome = RunStorageCheck(file, bytes, buffer, 1, hooks);
        if (outcome.verdict != StorageVerdict::Passed) {
            std::printf("storage: the check did not pass\n");
            return;
        }
        testWrite = outcome.writeSeconds < testWrite ? outcome.writeSeconds : testWrite;
        testRead = outcome.readSeconds < testRead ? outcome.readSeconds : testRead;
    }
    std::printf("storage test write   : %8.0f MB/s   bare write: %8.0f MB/s   ratio %.2f\n", RateMBps(bytes, testWrite),
                RateMBps(bytes, bareWrite), bareWrite / testWrite);
    std::printf("storage test read    : %8.0f MB/s   bare read : %8.0f MB/s   ratio %.2f\n", RateMBps(bytes, testRead),
                RateMBps(bytes, bareRead), bareRead / testRead);
    std::printf("(%llu MB file in %s; goal: ratios of at least 0.5)\n", static_cast<unsigned long long>(megabytes),
                temp);
}

// A bare unbuffered read of the whole file in scan-sized blocks; seconds,
// or a negative value when it failed.
double BareScanRead(const std::string& path, uint8_t* buffer) {
    fw::Handle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_NO_BUFFERING, nullptr));
    if (!file)
        return -1;
    double start = Now();
    DWORD read = 0;
    while (::ReadFile(file.get(), buffer, static_cast<DWORD>(kScanBlockBytes), &read, nullptr) && read > 0) {
    }
    return Now() - start;
}

void SurfaceScanFigures(uint64_t megabytes) {
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string path = std::string(temp) + "tavil_scan_bench.img";
    AlignedBlock block = AllocateAligned(kScanBlockBytes);
    {
        fw::Handle image(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        std::memset(block.get(), 0x3C, kScanBlockBytes);
        DWORD written = 0;
        for (uint64_t done = 0; done < megabytes; ++done)
            if (!image ||
                !::WriteFile(image.get(), block.get(), static_cast<DWORD>(kScanBlockBytes), &written, nullptr)) {
                std::printf("surface scan: the image could not be written in %s\n", temp);
                return;
            }
    }
    double bareBest = 1e9, scanBest = 1e9;
    for (int round = 0; round < 5; ++round) {
        const double bare = BareScanRead(path, block.get());
        std::string error;
        std::unique_ptr<HandleSectorDevice> device = OpenImageFile(path, 512, error);
        if (bare < 0 || !device) {
            std::printf("surface scan: the image could not be read: %s\n", error.c_str());
            ::DeleteFileA(path.c_str());
            return;
        }
        ProgressHooks hooks;
        hooks.clock = Now;
        hooks.line = [](const std::string&) {};
        const ScanOutcome outcome =
            ScanSectors(*device, PlanScan({{0, device->SectorCount()}}, device->SectorCount()), block.get(), hooks);
        if (ScanExitCode(outcome) != 0) {
            std::printf("surface scan: the scan did not pass\n");
            ::DeleteFileA(path.c_str());
            return;
        }
        bareBest = bare < bareBest ? bare : bareBest;
        scanBest = outcome.seconds < scanBest ? outcome.seconds : scanBest;
    }
    const uint64_t bytes = megabytes << 20;
    std::printf("surface scan read    : %8.0f MB/s   bare read : %8.0f MB/s   ratio %.2f\n", RateMBps(bytes, scanBest),
                RateMBps(bytes, bareBest), bareBest / scanBest);
    std::printf("(%llu MB image in %s; goal: a ratio of at least 0.8)\n", static_cast<unsigned long long>(megabytes),
                temp);
    ::DeleteFileA(path.c_str());
}

} // namespace

int main(int argc, char** argv) {
    size_t blockMB = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 128;
    uint64_t fileMB = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 64;
    MemoryFigures(blockMB ? blockMB : 128);
    StorageFigures(fileMB ? fileMB : 64);
    uint64_t imageMB = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 256;
    SurfaceScanFigures(imageMB ? imageMB : 256);
    return 0;
}
