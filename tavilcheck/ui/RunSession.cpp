#include "RunSession.h"

#include <algorithm>

#include "framework/ResourceSource.h"
#include "resource_ids.h"
#include "tavilcheck/history/HistoryFile.h"
#include "tavilcheck/history/HistoryRecordText.h"
#include "tavilcheck/history/RunLogText.h"

namespace tavil {

namespace {

constexpr UINT kReapPeriodMs = 300;
// A window closing waits this long for a worker still ending; a worker
// whose thread goes on after that is left, never deleted under it.
constexpr DWORD kCloseWaitMs = 10000;

} // namespace

// Until a run opens a log, the run date is the program's start.
RunSession::RunSession(HWND window, const TestCatalogue& catalogue)
    : m_window(window), m_catalogue(catalogue), m_runDate(LocalTimeText()) {}

RunSession::~RunSession() {
    if (m_worker)
        m_ending.push_back(std::move(m_worker));
    for (auto& worker : m_ending)
        if (!worker->Wait(kCloseWaitMs))
            (void)worker.release(); // still running: its object must outlive it
}

StartFailure RunSession::Start(const RunStart& start) {
    const RunRequest& request = start.request;
    m_title = start.title;
    m_modelName = start.modelName;
    m_resume = request.resume;
    m_aborted = false;
    m_runResult = 0;
    m_runState = TAVIL_RUN_STATE_RUNNING;
    m_keepAwake.emplace(!request.resume);
    m_batchProgress.Start(request.loopCount);

    if (!request.resume && request.logEnabled && !request.userLogDirectory.empty() &&
        m_runLog.OpenForRun(request.userLogDirectory)) {
        m_runDate = LocalTimeText();
        m_runLog.Write(LogHeader().c_str());
    }

    m_worker = std::make_unique<CCallDllThread>(m_window, m_catalogue, request);
    if (StartWorker(*m_worker))
        return {};
    StartFailure failure = FailedStep("CreateThread");
    m_worker.reset();
    m_runLog.Write(RunNotStartedText(failure).c_str());
    m_runLog.Close();
    m_keepAwake.reset();
    return failure;
}

void RunSession::Stop(bool abortProgram) {
    if (m_worker) {
        if (abortProgram)
            m_worker->Abort();
        m_worker->SetRunState(TAVIL_RUN_STATE_STOPPED);
    }
    m_runState = TAVIL_RUN_STATE_STOPPED;
    m_aborted = true;
}

void RunSession::Finish() {
    if (m_runLog.Close())
        WriteHistory();
    m_keepAwake.reset();
    if (!m_worker)
        return;
    // The worker is still inside this message: it is reaped once the
    // message has returned and its thread has ended.
    m_worker->SetRunState(TAVIL_RUN_STATE_STOPPED);
    m_ending.push_back(std::move(m_worker));
    ::PostMessageA(m_window, WM_REAP_WORKERS, 0, 0);
}

void RunSession::Sweep(DWORD waitMs) {
    m_ending.erase(
        std::remove_if(m_ending.begin(), m_ending.end(),
                       [waitMs](const std::unique_ptr<CCallDllThread>& worker) { return worker->Wait(waitMs); }),
        m_ending.end());
    if (m_ending.empty())
        ::KillTimer(m_window, kReapTimer);
    else
        ::SetTimer(m_window, kReapTimer, kReapPeriodMs, nullptr);
}

std::string RunSession::LogHeader() const { return RunLogHeader(m_title, m_runDate, m_modelName); }

void RunSession::WriteHistory() {
    const bool cancelled = m_worker && m_worker->TestTimesCancelled();
    UINT word = IDS_RESULT_ABORT;
    switch (HistoryRunEnding(m_aborted, cancelled, m_runResult)) {
    case RunEnding::Ok:
        word = IDS_RESULT_OK;
        break;
    case RunEnding::Failed:
        word = IDS_RESULT_FAILED;
        break;
    case RunEnding::Abort:
        break;
    }
    WriteHistoryRecord(m_runLog.HistoryPath(), m_runDate, m_title, fw::ResourceSource::LoadString(word));
}

} // namespace tavil
