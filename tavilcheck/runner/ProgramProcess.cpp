#include "ProgramProcess.h"

#include "framework/SystemError.h"

namespace tavil {

StartFailure FailedStep(const char* step) {
    StartFailure failure;
    failure.step = step;
    failure.error = ::GetLastError();
    return failure;
}

std::string NotStartedText(const std::string& what, const StartFailure& failure) {
    std::string text = fw::SystemMessage(failure.error);
    if (text.empty())
        text = "unknown reason";
    return what + " could not be started (" + (failure.step ? failure.step : "?") + "): " + text + " (error " +
           std::to_string(failure.error) + ")\r\n";
}

StartFailure ProgramProcess::Start(const std::string& commandLine, STARTUPINFOA& startup, DWORD creationFlags) {
    m_job.reset(::CreateJobObjectA(nullptr, nullptr));
    if (!m_job)
        return FailedStep("CreateJobObject");
    PROCESS_INFORMATION info{};
    std::string line = commandLine; // CreateProcess may write into it
    // Started suspended, so that it is in the job before it can start a
    // process of its own.
    if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, creationFlags | CREATE_SUSPENDED, nullptr, nullptr,
                          &startup, &info))
        return FailedStep("CreateProcess");
    m_process.reset(info.hProcess);
    fw::Handle thread(info.hThread);
    if (!::AssignProcessToJobObject(m_job.get(), info.hProcess))
        m_job.reset();
    ::ResumeThread(thread.get());
    return {};
}

DWORD ProgramProcess::WaitForExit() const {
    DWORD exitCode = 0;
    ::WaitForSingleObject(m_process.get(), INFINITE);
    ::GetExitCodeProcess(m_process.get(), &exitCode);
    return exitCode;
}

} // namespace tavil
