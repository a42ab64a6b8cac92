// One owner for everything of a run from its start to its history record:
// the run worker, the run log, the batch progress, the run and Stop
// states, and the machine kept awake.  The main window owns one session
// for its lifetime, routes the run's messages to it and keeps the pages
// in step; the session never touches a page.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "KeepAwake.h"
#include "tavilcheck/catalogue/TestCatalogue.h"
#include "tavilcheck/history/RunLog.h"
#include "tavilcheck/runner/CCallDllThread.h"
#include "tavilcheck/runner/ProgramProcess.h"
#include "tavilcheck/runner/RunProgress.h"

namespace tavil {

// Posted to the window when a run has ended: the worker is reaped once its
// thread has returned from its last message.
constexpr UINT WM_REAP_WORKERS = WM_APP + 2;
// The window timer that reaps workers still ending.
constexpr UINT_PTR kReapTimer = 1;

// The line that says why a run did not start, for the log and the page.
inline std::string RunNotStartedText(const StartFailure& failure) { return NotStartedText("The test", failure); }

// What a run is started with.
struct RunStart {
    RunRequest request;
    std::string title;     // the run title of the log header and history
    std::string modelName; // the machine's model, for the log header
};

class RunSession {
public:
    // `window` receives the worker's messages and the reaping timer;
    // `catalogue` outlives the session.
    RunSession(HWND window, const TestCatalogue& catalogue);
    virtual ~RunSession();
    RunSession(const RunSession&) = delete;
    RunSession& operator=(const RunSession&) = delete;

    // Starts a run: keeps the machine awake, opens the run log with its
    // header (not for a resume run), and starts the worker.  When the
    // worker's thread cannot be started, nothing runs: the reason is
    // written to the log, the log is closed without a history record (no
    // run took place to record), and the failure is returned for the
    // window to show.
    StartFailure Start(const RunStart& start);

    // From the start of a run until TM_RUN_DONE.
    bool Running() const { return m_worker != nullptr; }
    // From the start of a run until its worker has been reaped.
    bool WorkersAlive() const { return m_worker || !m_ending.empty(); }
    // The system may not suspend: a run goes on that does not test
    // suspend and resume itself.
    bool RefusesSuspend() const { return WorkersAlive() && !m_resume; }

    // Stop: the run state becomes 1 (window and worker) and the run is
    // recorded as aborted; `abortProgram` also ends the program module now
    // running (the Individual Test page).
    void Stop(bool abortProgram);
    // Back, or another page came to the front: running state again.
    void ResetRunState() { m_runState = TAVIL_RUN_STATE_RUNNING; }
    int32_t RunState() const { return m_runState; }

    // TM_RUN_RESULT, TM_MODULE_COUNT, TM_PROGRESS of a batch.
    void SetResult(int32_t result) { m_runResult = result; }
    void SetModuleCount(int count) { m_batchProgress.SetModuleCount(count); }
    int BatchPercent(int value) { return m_batchProgress.Report(value); }

    // TM_RUN_DONE: closes the run log and writes the history record, lets
    // the machine sleep again, and leaves the worker to be reaped once its
    // thread has returned.
    void Finish();
    // WM_REAP_WORKERS, just after TM_RUN_DONE has returned: waits a moment
    // for the worker's thread to end and deletes the workers whose threads
    // have ended; the reaping timer runs while any is left.
    void Reap() { Sweep(kEndWaitMs); }
    // The reaping timer: the same without waiting.
    void OnReapTimer() { Sweep(0); }

    // The run log's messages.
    void WriteLog(const char* text) { m_runLog.Write(text); }
    void RestartLog() { m_runLog.Restart(LogHeader()); }
    void ReopenLog() { m_runLog.Reopen(); }
    bool LogReady() const { return m_runLog.ready(); }
    // TM_SET_LOG_DIR 0: a fresh log in `directory`, as at a run's start.
    void OpenFreshLog(const std::string& directory) { m_runLog.OpenForRun(directory); }
    // TM_SET_LOG_DIR 1: the log goes to `directory`; false when it does not
    // fit the path buffers.  The directory as kept (one trailing "\").
    bool UseLogDirectory(const std::string& directory) { return m_runLog.UseDirectory(directory); }
    const std::string& LogDirectory() const { return m_runLog.directory(); }

protected:
    // Starts the worker's thread; false with the system's error set.
    virtual bool StartWorker(CCallDllThread& worker) { return worker.Start(); }

private:
    // How long the end of a run waits for the worker's thread to return
    // from its last message before leaving the rest to the timer.
    static constexpr DWORD kEndWaitMs = 20;
    // Deletes the ending workers whose threads end within `waitMs`.
    void Sweep(DWORD waitMs);
    std::string LogHeader() const;
    void WriteHistory();

    HWND m_window;
    const TestCatalogue& m_catalogue;
    std::unique_ptr<CCallDllThread> m_worker;              // the run's, until TM_RUN_DONE
    std::vector<std::unique_ptr<CCallDllThread>> m_ending; // returning from their last message
    std::optional<KeepAwake> m_keepAwake;
    RunLog m_runLog;
    BatchProgress m_batchProgress;
    std::string m_title;
    std::string m_modelName;
    std::string m_runDate; // start of the last run that opened a log
    bool m_resume = false;
    bool m_aborted = false; // Stop was pressed: the history says "Abort"
    int32_t m_runResult = 0;
    int32_t m_runState = TAVIL_RUN_STATE_RUNNING;
};

} // namespace tavil
