// What the console test programs share: output written as it is (their
// lines already end in "\r\n") and flushed at once for the live view, a
// monotonic clock, directory arguments, the detail file, Ctrl+C or Break
// as a stop request, the system's error texts and page-aligned buffers
// for unbuffered I/O.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

namespace tavil::modules {

// Standard output in binary mode; Ctrl+C and Break set the stop request.
void StartConsoleProgram();
bool StopRequested();

void Print(const std::string& text);

// Seconds since some fixed point, monotonic.
double Seconds();

// A directory argument with one trailing backslash.  A trailing quote is
// what the C runtime leaves of a quoted "C:\dir\" argument; it is dropped.
std::string DirectoryArgument(const char* argument);

// Writes `summary` as DefLog.tmp in `logDirectory` (ending in "\"), the
// file the diagnostics program shows as the test's detail.
void WriteDetailFile(const std::string& logDirectory, const std::string& summary);

// The system's text for an error code and the code, without a line end.
std::string SystemErrorText(DWORD error);

struct AlignedFree {
    void operator()(uint8_t* block) const;
};
// A block aligned to the page size, as unbuffered I/O needs.
using AlignedBlock = std::unique_ptr<uint8_t, AlignedFree>;
// `size` bytes, or none when there is not enough memory.
AlignedBlock AllocateAligned(size_t size);

} // namespace tavil::modules
