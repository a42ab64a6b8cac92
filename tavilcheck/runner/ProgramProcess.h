// A test program started inside a job object of its own, so that the
// program and every process it starts can be ended together on Stop.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Handles.h"

namespace tavil {

// Why a program did not start: the step that failed and the system's
// error code.
struct StartFailure {
    const char* step = nullptr; // null: nothing failed
    DWORD error = 0;
    explicit operator bool() const { return step != nullptr; }
};

// The failure of `step`, with the calling thread's last error.
StartFailure FailedStep(const char* step);

// The line that says so: "<what> could not be started (<step>): <the
// system's reason> (error N)" and a line end.
std::string NotStartedText(const std::string& what, const StartFailure& failure);

class ProgramProcess {
public:
    // Starts `commandLine` (no separate program name, handles inherited)
    // with `startup` and `creationFlags`, inside a new job.  When the job
    // cannot take the process (a system that does not nest jobs, with this
    // program already in one), it runs outside it and Stop ends only the
    // program itself.
    StartFailure Start(const std::string& commandLine, STARTUPINFOA& startup, DWORD creationFlags);

    // Waits for the program itself (not the processes it started) and
    // returns its exit code.
    DWORD WaitForExit() const;

    HANDLE process() const { return m_process.get(); }
    // The job holding the program and its processes, or none.
    HANDLE job() const { return m_job.get(); }

private:
    fw::Handle m_job;
    fw::Handle m_process;
};

} // namespace tavil
