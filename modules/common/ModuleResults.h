// Result codes shared by the modules that ship with the product.  A
// module returns (a library) or exits with (a program) one of these; the
// program shows any non-zero value as the module's failure.
#pragma once

#include <cstdint>

namespace tavil::modules {

constexpr int32_t kResultPassed = 0;       // the test ran and found no fault
constexpr int32_t kResultFaultFound = 1;   // the test found a fault
constexpr int32_t kResultCouldNotTest = 2; // nothing was tested (no memory, disk space, directory...)
constexpr int32_t kResultIoError = 3;      // storage test: the drive reported a read or write error

} // namespace tavil::modules
