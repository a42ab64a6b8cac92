#include "RunningProgram.h"

#include "ProgramProcess.h"

namespace tavil {

RunningProgram g_runningProgram;

namespace {
constexpr UINT kAbortExitCode = static_cast<UINT>(-1);
}

void RunningProgram::Reset() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_process = nullptr;
    m_job = nullptr;
    m_detailFile.clear();
    m_aborted = false;
}

void RunningProgram::SetDetailFile(const std::string& path) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_detailFile = path;
}

void RunningProgram::SetChild(const ProgramProcess& program) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_process = program.process();
    m_job = program.job();
    if (m_aborted)
        EndChild();
}

void RunningProgram::ForgetChild() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_process = nullptr;
    m_job = nullptr;
}

void RunningProgram::Abort() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_aborted = true;
    EndChild();
    if (!m_detailFile.empty())
        ::DeleteFileA(m_detailFile.c_str());
}

void RunningProgram::EndChild() {
    // The whole tree: a process the program started may hold the output
    // pipe, and the capture ends only when the last holder has gone.
    if (m_job)
        ::TerminateJobObject(m_job, kAbortExitCode);
    else if (m_process) // a program the job could not take
        ::TerminateProcess(m_process, kAbortExitCode);
}

} // namespace tavil
