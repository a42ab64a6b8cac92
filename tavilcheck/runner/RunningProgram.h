// What Stop needs to end the program module now running: its process (and
// the job holding the processes it started) and its detail file.  One run
// exists at a time, so there is one of these for the process.  The worker
// and the output-capture thread fill it; Stop uses it on the window's
// thread.  A lock around the few handle operations keeps Stop from ending
// a handle that the worker is closing at that very moment; it is never
// held for longer than one system call.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>

namespace tavil {

class ProgramProcess;

class RunningProgram {
public:
    // A run is about to start: nothing is running, nothing is stopped.
    void Reset();
    // The detail file of the program module now being prepared.
    void SetDetailFile(const std::string& path);
    // A program was started (the caller keeps owning it).  When Stop came
    // before it could be recorded, it is ended at once.
    void SetChild(const ProgramProcess& program);
    // The program has ended and its handles are about to be closed.
    void ForgetChild();
    // Stop: ends the program now running, with every process it started,
    // with exit code -1 and deletes the detail file.  Later programs of
    // the run are ended as they start.
    void Abort();

private:
    void EndChild();

    std::mutex m_lock;
    HANDLE m_process = nullptr; // lent by the program's owner
    HANDLE m_job = nullptr;
    std::string m_detailFile;
    bool m_aborted = false;
};

// The program module now running in this process.
extern RunningProgram g_runningProgram;

} // namespace tavil
