// memtest.dll: the memory test, a library test module.
//
// Takes a block of the memory that is free now (a quarter of it, at most
// 512 MiB, so a Quick Test takes seconds), runs the patterns of
// MemoryPatterns over it as many times as it is told, and lists every
// word that did not read back as written.
//
// Results: 0 no fault found, 1 words read back wrong, 2 not enough free
// memory to test (modules/common/ModuleResults.h).
#include <cinttypes>
#include <cstdio>
#include <string>

#include "modules/common/ModuleResults.h"
#include "modules/common/WindowReporter.h"
#include "modules/memtest/MemoryPatterns.h"
#include "sdk/tavil_module.h"

using namespace tavil::modules;

namespace {

constexpr SIZE_T kMiB = SIZE_T{1024} * 1024;
constexpr SIZE_T kLargestBlock = 512 * kMiB;
constexpr SIZE_T kSmallestBlock = 1 * kMiB;

// The size to ask for: a quarter of the free physical memory, bounded by
// half the free address space (a 32-bit process has little) and kLargestBlock.
SIZE_T WantedBlockSize() {
    MEMORYSTATUSEX memory{};
    memory.dwLength = sizeof memory;
    if (!::GlobalMemoryStatusEx(&memory))
        return kSmallestBlock;
    unsigned long long wanted = memory.ullAvailPhys / 4;
    if (wanted > memory.ullAvailVirtual / 2)
        wanted = memory.ullAvailVirtual / 2;
    if (wanted > kLargestBlock)
        wanted = kLargestBlock;
    return static_cast<SIZE_T>(wanted / kMiB * kMiB);
}

// Allocates the block, halving the size while the system refuses.
// Returns nullptr (and size 0) when not even kSmallestBlock is available.
void* AllocateBlock(SIZE_T& size) {
    for (size = WantedBlockSize(); size >= kSmallestBlock; size /= 2) {
        size = size / kMiB * kMiB;
        if (void* block = ::VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE))
            return block;
    }
    size = 0;
    return nullptr;
}

} // namespace

TAVIL_START_TEST(HWND window, uint32_t, intptr_t argument) {
    WindowReporter reporter(window);
    int repeats = argument > 0 && argument < 1000000 ? static_cast<int>(argument) : 1;

    SIZE_T size = 0;
    void* block = AllocateBlock(size);
    if (!block) {
        reporter.Line("Memory Test: not enough free memory to test (1 MB needed). Nothing was tested.\r\n");
        reporter.Progress(100);
        return kResultCouldNotTest;
    }
    char line[160];
    std::snprintf(line, sizeof line, "Memory Test: %u MB at 0x%p, %d pass(es)\r\n", static_cast<unsigned>(size / kMiB),
                  block, repeats);
    reporter.Line(line);

    MemoryTestOutcome outcome = RunMemoryTest(static_cast<MemoryWord*>(block), size / sizeof(MemoryWord), repeats,
                                              ::GetTickCount64(), reporter);
    ::VirtualFree(block, 0, MEM_RELEASE);

    if (outcome.mismatches != 0) {
        std::snprintf(line, sizeof line, "Memory Test: FAILED, %zu word(s) read back wrong.\r\n", outcome.mismatches);
        reporter.ColouredLine(line, RGB(255, 0, 0));
        return kResultFaultFound;
    }
    reporter.Line(outcome.stopped ? "Memory Test: stopped by the user, no fault found so far.\r\n"
                                  : "Memory Test: passed.\r\n");
    return kResultPassed;
}
