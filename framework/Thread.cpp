#include "Thread.h"

namespace fw {

Thread::~Thread() {
    if (m_handle)
        ::CloseHandle(m_handle);
}

bool Thread::Start() {
    if (m_handle)
        return false;
    m_handle = ::CreateThread(nullptr, 0, Entry, this, 0, nullptr);
    return m_handle != nullptr;
}

bool Thread::IsRunning() const { return m_handle && !Wait(0); }

bool Thread::Wait(DWORD milliseconds) const {
    return !m_handle || ::WaitForSingleObject(m_handle, milliseconds) == WAIT_OBJECT_0;
}

DWORD Thread::ExitCode() const {
    DWORD code = 0;
    if (m_handle)
        ::GetExitCodeThread(m_handle, &code);
    return code;
}

DWORD WINAPI Thread::Entry(LPVOID self) { return static_cast<Thread*>(self)->Run(); }

} // namespace fw
