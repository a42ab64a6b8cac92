// The hard-disk test: a program module whose test file names "easyhdd" is
// not started itself; its directory's easyhddtest.bat is run once for each
// fixed physical drive, with the drive and the sector ranges to read (the
// first 30 GiB and the last 10 GiB), each run captured like any program
// module's.
#pragma once

#include <cstdint>
#include <string>

#include "tavilcheck/catalogue/TestCatalogue.h"

namespace tavil {

class CCallDllThread;

// True for a module the hard-disk test stands in for.
bool IsHardDiskTest(const std::string& testFile);

// Runs the script for every fixed drive (the worker's request names the
// drives to ask; none: the machine's own).  The module fails when any drive
// fails, when a fixed drive could not be tested, or when there is none.
int32_t RunHardDiskTest(const CCallDllThread& worker, const TestModule& module);

} // namespace tavil
