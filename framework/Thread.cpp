#include "Thread.h"

namespace fw {

Thread::~Thread() = default;

bool Thread::Start() {
    if (m_handle)
        return false;
    m_handle.reset(::CreateThread(nullptr, 0, Entry, this, 0, nullptr));
    return static_cast<bool>(m_handle);
}

bool Thread::IsRunning() const { return m_handle && !Wait(0); }

bool Thread::Wait(DWORD milliseconds) const {
    return !m_handle || ::WaitForSingleObject(m_handle.get(), milliseconds) == WAIT_OBJECT_0;
}

DWORD Thread::ExitCode() const {
    DWORD code = 0;
    if (m_handle)
        ::GetExitCodeThread(m_handle.get(), &code);
    return code;
}

DWORD WINAPI Thread::Entry(LPVOID self) { return static_cast<Thread*>(self)->Run(); }

} // namespace fw
