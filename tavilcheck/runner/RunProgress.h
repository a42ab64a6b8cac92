// Progress arithmetic and the texts of a run's progress line, shared by
// the worker and the window.  Portable: no Windows header.
#pragma once

#include <cstdint>
#include <string>

namespace tavil {

// The window's scaling of a batch run's TM_PROGRESS reports: every module
// reports 0..100 for its own work, and 100 at its end; the shown percent
// runs over all modules of all loops.
class BatchProgress {
public:
    // A run starts: the base is set back to 0.
    void Start(int loopCount);
    // TM_MODULE_COUNT: the number of modules that will run.
    void SetModuleCount(int count) { m_moduleCount = count; }
    // TM_PROGRESS with `value`; returns the percent to show, 0..100.
    int Report(int value);

private:
    int m_loopCount = 1;
    int m_moduleCount = 0;
    long long m_base = 0; // sum of the modules' 100 reports
};

// The worker's report after a repetition of a program module:
// (99 + base) / divisor, clamped to 0..100.  `base` grows by 100 when the
// report is exactly 100.
int ProgramModuleProgress(int& base, int divisor);

// The progress line: `percentFormat` ("%d%%Finished") with `percent`,
// then, when the minutes are neither 0 nor -1, three blanks and
// `minutesFormat` ("%d Minutes Remaining").  While the percent is neither
// 0 nor 100, 0 minutes count as 1.
std::string ProgressText(int percent, int minutesLeft, const std::string& percentFormat,
                         const std::string& minutesFormat);

// The progress line after TM_MINUTES_LEFT with `minutes`; empty when the
// line stays as it is (0 or -1 minutes).
std::string MinutesLeftText(int percent, int minutes, const std::string& percentFormat,
                            const std::string& minutesFormat);

// The title of a run started from a page: on the batch page `serviceTitle`
// ("FinalInspection") in a service installation, else `fullTestTitle`
// (" Full Test ") in a Full Test installation, else `quickTestTitle`
// ("QuickTest"); on the Individual Test page the module's name.
std::string RunTitle(int runKind, uint32_t modeFlags, const std::string& moduleName, const std::string& serviceTitle,
                     const std::string& fullTestTitle, const std::string& quickTestTitle);

// Formats one integer into a resource string: the first "%d" becomes the
// number, "%%" becomes "%"; anything else is copied as it is.
std::string FormatNumber(const std::string& format, int value);
// The same with two numbers, for the first two "%d" (a loop line, say).
std::string FormatNumbers(const std::string& format, int first, int second);

} // namespace tavil
