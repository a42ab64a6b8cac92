// A thread object: derive, override Run, call Start.  The object must
// outlive its thread; its owner deletes it after the thread has ended.
#pragma once

#include <windows.h>

#include "Handles.h"

namespace fw {

class Thread {
public:
    Thread() = default;
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;
    virtual ~Thread();

    bool Start();
    HANDLE handle() const { return m_handle.get(); }
    // True while the thread runs.
    bool IsRunning() const;
    // Waits up to `milliseconds`; true when the thread has ended.
    bool Wait(DWORD milliseconds) const;
    // The thread's exit code (STILL_ACTIVE while it runs).
    DWORD ExitCode() const;

protected:
    // The thread's work; the result becomes its exit code.
    virtual DWORD Run() = 0;

private:
    static DWORD WINAPI Entry(LPVOID self);
    Handle m_handle;
};

} // namespace fw
