// What Stop needs to end the program module now running: its child process
// and its detail file.  One run exists at a time, so there is one of these
// for the process.  The worker and the output-capture thread fill it; Stop
// uses it on the window's thread.  A lock around the few handle operations
// keeps Stop from ending a handle that the worker is closing at that very
// moment; it is never held for longer than one system call.
#pragma once

#include <windows.h>

#include <mutex>
#include <string>

namespace tavil {

class RunningProgram {
public:
    // A run starts: nothing is running, nothing is stopped.
    void Reset();
    // The detail file of the program module now being prepared.
    void SetDetailFile(const std::string& path);
    // A child process was started.  When Stop came before it could be
    // recorded, the child is ended at once.
    void SetChild(HANDLE process);
    // The child has ended and its handle is about to be closed.
    void ForgetChild();
    // Stop: ends the child now running with exit code -1 and deletes the
    // detail file.  Later children of the run are ended as they start.
    void Abort();

private:
    std::mutex m_lock;
    HANDLE m_child = nullptr;
    std::string m_detailFile;
    bool m_aborted = false;
};

// The program module now running in this process.
extern RunningProgram g_runningProgram;

} // namespace tavil
