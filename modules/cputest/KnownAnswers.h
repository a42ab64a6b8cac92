// The processor test's computations and the comparison of their results.
// Portable: the module runs the computations on every processor; the tests
// feed the comparison with results of their own making.
#pragma once

#include <string>
#include <vector>

namespace tavil::modules {

struct Computation {
    const char* name;
    std::string (*run)();
    // The result a sound processor gives, or nullptr for a computation whose
    // exact result depends on the build (floating-point rounding): those are
    // only compared across processors.
    const char* knownAnswer;
};

// Every computation, in the order a worker runs them.
const std::vector<Computation>& Computations();

struct ProcessorFailure {
    int processor;           // logical processor number
    std::string computation; // its name
    std::string expected;
    std::string actual;
};

// results[p][c]: the result of computation c on processor p, where
// `processors[p]` is that processor's number.  A result that differs from
// the known answer fails; a computation without one fails on each
// processor whose result differs from the one most processors agree on
// (the lowest processor's on a tie).
std::vector<ProcessorFailure> CompareResults(const std::vector<int>& processors,
                                             const std::vector<std::vector<std::string>>& results);

// "  Processor 3: Prime sieve gave 348512, expected 348513\r\n"
std::string FailureLine(const ProcessorFailure& failure);

} // namespace tavil::modules
