#include "RunningProgram.h"

namespace tavil {

RunningProgram g_runningProgram;

namespace {
constexpr UINT kAbortExitCode = static_cast<UINT>(-1);
}

void RunningProgram::Reset() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_child = nullptr;
    m_detailFile.clear();
    m_aborted = false;
}

void RunningProgram::SetDetailFile(const std::string& path) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_detailFile = path;
}

void RunningProgram::SetChild(HANDLE process) {
    std::lock_guard<std::mutex> guard(m_lock);
    m_child = process;
    if (m_aborted)
        ::TerminateProcess(process, kAbortExitCode);
}

void RunningProgram::ForgetChild() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_child = nullptr;
}

void RunningProgram::Abort() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_aborted = true;
    if (m_child)
        ::TerminateProcess(m_child, kAbortExitCode);
    if (!m_detailFile.empty())
        ::DeleteFileA(m_detailFile.c_str());
}

} // namespace tavil
