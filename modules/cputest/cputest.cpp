// cputest.dll: the processor test, a library test module.
//
// Starts one worker thread per logical processor the program may use,
// pinned to it, and has each run the known-answer computations of
// KnownAnswers a few rounds per pass; after each round the results of all
// processors are compared.  A wrong result names the processor and the
// computation.
//
// Results: 0 every processor computed every answer right, 1 a processor
// computed a wrong answer, 2 no worker could be started
// (modules/common/ModuleResults.h).
#include <atomic>
#include <cstdio>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "modules/common/ModuleResults.h"
#include "modules/common/WindowReporter.h"
#include "modules/cputest/KnownAnswers.h"
#include "sdk/tavil_module.h"

using namespace tavil::modules;

namespace {

constexpr int kRoundsPerPass = 10; // about a second per pass on a notebook core

// The logical processors this process may run on (at most 64: one
// processor group).
std::vector<int> UsableProcessors() {
    DWORD_PTR process = 0, system = 0;
    std::vector<int> processors;
    if (::GetProcessAffinityMask(::GetCurrentProcess(), &process, &system))
        for (int i = 0; i < static_cast<int>(sizeof(DWORD_PTR) * 8); ++i)
            if (process & (DWORD_PTR(1) << i))
                processors.push_back(i);
    return processors;
}

struct Worker {
    int processor = 0;
    bool pinned = false;
    std::vector<std::string> results; // of the round just run
};

// One round on every processor at once; false when Stop was pressed.
bool RunRound(std::vector<Worker>& workers, std::atomic<bool>& stop, WindowReporter& reporter, bool& startFailed) {
    std::atomic<size_t> finished{0};
    std::vector<std::thread> threads;
    for (Worker& worker : workers) {
        worker.results.clear();
        try {
            threads.emplace_back([&worker, &stop, &finished] {
                worker.pinned = ::SetThreadAffinityMask(::GetCurrentThread(), DWORD_PTR(1) << worker.processor) != 0;
                for (const Computation& c : Computations()) {
                    if (stop)
                        break;
                    worker.results.push_back(c.run());
                }
                ++finished;
            });
        } catch (const std::system_error&) {
            startFailed = true; // this processor's results stay empty
        }
    }
    // Ask for Stop while the workers compute; they look at `stop` between
    // computations, each a few dozen milliseconds long.
    while (finished < threads.size()) {
        ::Sleep(20);
        if (reporter.StopRequested())
            stop = true;
    }
    for (std::thread& t : threads)
        t.join();
    return !stop;
}

} // namespace

TAVIL_START_TEST(HWND window, uint32_t, intptr_t argument) {
    WindowReporter reporter(window);
    int repeats = argument > 0 && argument < 1000000 ? static_cast<int>(argument) : 1;

    std::vector<int> processors = UsableProcessors();
    if (processors.empty())
        processors.push_back(0); // no affinity information: one worker, not pinned
    std::vector<Worker> workers(processors.size());
    for (size_t i = 0; i < processors.size(); ++i)
        workers[i].processor = processors[i];

    char line[160];
    std::snprintf(line, sizeof line, "Processor Test: %zu logical processor(s), %d pass(es)\r\n", processors.size(),
                  repeats);
    reporter.Line(line);
    reporter.Progress(0);

    std::atomic<bool> stop{false};
    size_t failures = 0;
    bool stopped = false, startFailed = false;
    const int rounds = repeats * kRoundsPerPass;
    for (int round = 1; round <= rounds && !stopped; ++round) {
        stopped = !RunRound(workers, stop, reporter, startFailed);
        if (stopped)
            break;
        std::vector<std::vector<std::string>> results;
        for (const Worker& w : workers)
            results.push_back(w.results);
        for (const ProcessorFailure& f : CompareResults(processors, results)) {
            reporter.Line(FailureLine(f));
            ++failures;
        }
        reporter.Progress(round * 100 / rounds);
    }
    for (const Worker& w : workers)
        if (!w.pinned && !stopped) {
            std::snprintf(line, sizeof line, "  Processor %d: the worker could not be pinned to it\r\n", w.processor);
            reporter.Line(line);
        }

    if (startFailed && failures == 0) {
        reporter.Line("Processor Test: a worker thread could not be started. The test is incomplete.\r\n");
        return kResultCouldNotTest;
    }
    if (failures != 0) {
        std::snprintf(line, sizeof line, "Processor Test: FAILED, %zu wrong result(s).\r\n", failures);
        reporter.ColouredLine(line, RGB(255, 0, 0));
        return kResultFaultFound;
    }
    reporter.Line(stopped ? "Processor Test: stopped by the user, no fault found so far.\r\n"
                          : "Processor Test: passed.\r\n");
    return kResultPassed;
}
