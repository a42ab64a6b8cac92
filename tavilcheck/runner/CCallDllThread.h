// The run worker: one object per run, created and deleted by the main
// window.  Runs the modules of a batch, single or resume run on its own
// thread, decides each module's result, writes the verdict banners and
// reports everything to the window with synchronous TM_ messages.  It
// never touches windows, files or the catalogue otherwise.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>

#include "TestTimes.h"
#include "framework/Thread.h"
#include "sdk/tavil_module.h"
#include "tavilcheck/catalogue/TestCatalogue.h"

namespace tavil {

class PhysicalDrives;

constexpr COLORREF kResultGreen = 0x00FF00;

// Everything a run is started with; fixed for the length of the run.
struct RunRequest {
    int runKind = 0;                          // 0 batch, 1 single
    int moduleIndex = -1;                     // catalogue slot of a single or resume run
    bool resume = false;                      // a resume run of moduleIndex
    int moduleCount = 0;                      // entries of the batch list
    int loopCount = 1;                        // loops of a batch, repetitions of a single run
    uint32_t runFlags = 0;                    // the window's mode word; FLAG_BATCH is the worker's
    bool logEnabled = false;                  // user logs are written
    std::string userLogDirectory;             // ends in "\", or empty
    std::string moduleLogDirectory;           // where program modules make their detail file
    std::string programDirectory;             // the program's directory, ending in "\"
    TestTimesDialog* testTimes = nullptr;     // service-mode batch; none: every entry once
    PhysicalDrives* physicalDrives = nullptr; // the hard-disk test's drives; none: the machine's
};

class CCallDllThread : public fw::Thread {
public:
    // `window` receives every message; `catalogue` (read-only, owned by
    // the window) supplies the batch list and the modules.  A new worker
    // starts with nothing running and nothing stopped, so a Stop that comes
    // before its thread begins is kept.
    CCallDllThread(HWND window, const TestCatalogue& catalogue, RunRequest request);

    const RunRequest& request() const { return m_request; }
    // The run flags as the modules get them now (FLAG_BATCH set in a batch).
    uint32_t runFlags() const { return m_runFlags; }

    // The run state: 259 while running, 1 after Stop (written by the window).
    int32_t RunState() const { return m_runState.load(); }
    void SetRunState(int32_t state) { m_runState.store(state); }
    bool Aborted() const { return m_abortFlag.load() != 0; }
    // After the run: the Test Times dialog of a service-mode batch was
    // cancelled, so the run ended as aborted without Stop.
    bool TestTimesCancelled() const { return m_testTimesCancelled; }
    HWND window() const { return m_window; }

    // Stop on the Individual Test page (window's thread): sets the abort
    // flag first, then ends the program module now running and deletes its
    // detail file.
    void Abort();

    // The library module loaded at the moment (for the length of one call).
    HMODULE library() const { return m_library; }

    // Message helpers of the worker and the module runners (worker thread).
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam) const;
    void ScreenText(const std::string& text) const;
    void LogText(const std::string& text) const;
    void BothText(const std::string& text) const; // screen, then log
    void StringToScreen(UINT id) const;
    void StringToLog(UINT id) const;
    void ResultColour(bool pass, COLORREF colour) const;
    void ColouredText(const std::string& text, COLORREF colour) const;
    void StartOfPass(LPARAM serviceLoop) const;

protected:
    DWORD Run() override;

private:
    int32_t BatchRun();
    int32_t SingleRun();
    int32_t ResumeRun();
    // One library module: the warning box (asked of the window) when it
    // cannot be loaded or has no StartTest, which then gives
    // TAVIL_RESULT_NOT_STARTED.
    int32_t RunLibraryModule(const std::string& file, intptr_t argument);

    HWND m_window;
    const TestCatalogue& m_catalogue;
    const RunRequest m_request;
    uint32_t m_runFlags;
    HMODULE m_library = nullptr;
    std::atomic<int32_t> m_runState{TAVIL_RUN_STATE_RUNNING};
    std::atomic<int32_t> m_abortFlag{0};
    bool m_testTimesCancelled = false;
};

} // namespace tavil
