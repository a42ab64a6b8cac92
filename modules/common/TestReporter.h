// What the computing part of a module tells its user, and how it learns
// that the user wants it to stop.  The library modules implement it with
// the window messages of the SDK, the storage test with standard output,
// the tests with a recorder.
#pragma once

#include <string>

namespace tavil::modules {

class TestReporter {
public:
    virtual ~TestReporter() = default;
    // One line of text for the screen and the run log; `line` ends in "\r\n".
    virtual void Line(const std::string& line) = 0;
    // Progress of the whole test, 0..100.
    virtual void Progress(int percent) = 0;
    // True once the user pressed Stop.  Cheap to call often: implementations
    // ask the program at most every few dozen milliseconds.
    virtual bool StopRequested() = 0;
};

// Minutes still needed when `percent` of the work took `elapsedMs`;
// rounded up, 0 at the end and -1 while nothing is known yet.
int MinutesLeft(unsigned long long elapsedMs, int percent);

} // namespace tavil::modules
