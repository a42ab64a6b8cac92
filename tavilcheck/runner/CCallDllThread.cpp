#include "CCallDllThread.h"

#include <vector>

#include "LibraryModule.h"
#include "ProgramModule.h"
#include "RunProgress.h"
#include "RunningProgram.h"
#include "framework/ResourceSource.h"
#include "framework/TextUtil.h"
#include "resource_ids.h"
#include "skinlib/TesselMessageBox.h"

namespace tavil {

CCallDllThread::CCallDllThread(HWND window, const TestCatalogue& catalogue)
    : m_window(window), m_catalogue(catalogue) {}

DWORD CCallDllThread::Run() {
    g_runningProgram.Reset();
    m_abortFlag.store(0);
    int32_t result = 0;
    if (resumeFlag)
        result = ResumeRun();
    else if (runKind == 0)
        result = BatchRun();
    else if (runKind == 1)
        result = SingleRun();
    Send(TM_RUN_RESULT, 0, static_cast<LPARAM>(result));
    Send(TM_RUN_DONE, 0, 0);
    return static_cast<DWORD>(result);
}

int32_t CCallDllThread::BatchRun() {
    runFlags |= FLAG_BATCH;
    const bool service = runFlags & FLAG_SERVICE;
    const int entries = moduleCount < 0 ? 0 : moduleCount > kMaxQuickEntries ? kMaxQuickEntries : moduleCount;
    int32_t result = 0, lastResult = 0;
    bool stop = false, stopped = false, dialogOk = true;

    std::vector<int> counts(static_cast<size_t>(entries), 1);
    if (service && testTimes) {
        std::vector<std::string> names(m_catalogue.quickListBase.begin(),
                                       m_catalogue.quickListBase.begin() + entries);
        dialogOk = testTimes->Ask(names, counts);
        m_testTimesCancelled = !dialogOk;
        counts.resize(static_cast<size_t>(entries), 0);
    }

    if (dialogOk) {
        int willRun = entries;
        if (service) {
            willRun = 0;
            for (int count : counts)
                willRun += count > 0;
        }
        Send(TM_MODULE_COUNT, static_cast<WPARAM>(willRun), 0);

        for (int loop = 1; loop <= loopCount && RunState() == TAVIL_RUN_STATE_RUNNING && !stop; ++loop) {
            if (service) {
                StartOfPass(1);
                ScreenText(FormatNumbers(fw::ResourceSource::LoadString(IDS_LOOP_TIMES), loop, loopCount));
            }
            for (int i = 0; i < entries && RunState() == TAVIL_RUN_STATE_RUNNING; ++i) {
                if (lastResult != 0 && (runFlags & FLAG_STOP_WHEN_ERROR) && service) {
                    stop = true;
                    break;
                }
                int repeat = 1;
                if (service) {
                    if (counts[static_cast<size_t>(i)] <= 0)
                        continue;
                    repeat = counts[static_cast<size_t>(i)];
                }
                lastResult = RunLibraryModule(m_catalogue.quickList[static_cast<size_t>(i)], repeat);
                if (RunState() != TAVIL_RUN_STATE_RUNNING) {
                    stopped = true;
                    break;
                }
                if (lastResult != 0)
                    result = lastResult;
                StringToScreen(IDS_BATCH_SEPARATOR);
                ScreenText("\r\n");
                StringToLog(IDS_BATCH_SEPARATOR);
                LogText("\r\n");
            }
            if (stopped)
                break;
        }
        if (service && result == 0)
            ResultColour(true, kResultGreen);
    }

    if (stopped || !dialogOk) {
        if (service && result == 0)
            ResultColour(true, kResultGreen);
        StringToLog(IDS_VERDICT_ABORTED);
        StringToScreen(IDS_VERDICT_ABORTED);
    } else if (result == 0) {
        StringToLog(IDS_VERDICT_PASS);
        StringToScreen(IDS_VERDICT_PASS);
    } else {
        UINT banner = (runFlags & FLAG_RECOVERY) ? IDS_VERDICT_FAIL_PC : IDS_VERDICT_FAIL;
        StringToScreen(banner);
        StringToLog(banner);
    }
    return result;
}

int32_t CCallDllThread::SingleRun() {
    runFlags &= ~FLAG_BATCH;
    if (moduleIndex < 0 || moduleIndex >= kMaxModules)
        return TAVIL_RESULT_NOT_STARTED;
    const TestModule& module = m_catalogue.modules[static_cast<size_t>(moduleIndex)];
    // Lower-case ".dll" only: a name written "X.DLL" runs as a program.
    if (module.windowType == WINDOW_DEFAULT && fw::Contains(module.testFile, ".dll"))
        return RunLibraryModule(module.testFile, loopCount);

    BothText("= " + module.testName + " Start =\r\n\r\n");
    int32_t result = RunProgramModule(*this, module);
    if (Aborted())
        BothText("\r\n\r\n= " + module.testName + " aborted =\r\n");
    else if (result != 0)
        BothText("\r\n\r\n= " + module.testName + " is failed =\r\n");
    else
        BothText("\r\n\r\n= " + module.testName + " is OK =\r\n");
    if (result == 0 || Aborted())
        ResultColour(true, kResultGreen);
    return result;
}

int32_t CCallDllThread::ResumeRun() {
    resumeFlag = 0;
    runFlags &= ~FLAG_BATCH;
    if (moduleIndex < 0 || moduleIndex >= kMaxModules)
        return TAVIL_RESULT_NOT_STARTED;
    // The text stays valid for the whole call: it lives until we return.
    const std::string directory = logEnabled ? userLogDirectory : std::string();
    return RunLibraryModule(m_catalogue.modules[static_cast<size_t>(moduleIndex)].testFile,
                            reinterpret_cast<intptr_t>(directory.c_str()));
}

int32_t CCallDllThread::RunLibraryModule(const std::string& file, intptr_t argument) {
    LibraryCall call = CallLibraryModule(file, m_window, runFlags, argument, m_library);
    if (call.loaded && call.hasEntry)
        return call.result;
    // The module could not be tested: warn, go on with the run, and count
    // it as an error so that the verdict never says "no error" for it.
    std::string caption = fw::ResourceSource::LoadString(IDS_WARNING);
    TesselMessageBox(IDS_LOADING_DLL_FAILED, caption.c_str(), MB_ICONEXCLAMATION | MB_OK);
    return TAVIL_RESULT_NOT_STARTED;
}

void CCallDllThread::Abort() {
    m_abortFlag.store(1); // before anything ends, so the worker sees it at once
    // Ending the child breaks its output pipe, so the capture thread ends
    // on its own: a thread killed from outside could die holding a lock.
    g_runningProgram.Abort();
}

LRESULT CCallDllThread::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_window, message, wParam, lParam);
}

void CCallDllThread::ScreenText(const std::string& text) const {
    Send(TM_SCREEN_TEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void CCallDllThread::LogText(const std::string& text) const {
    Send(TM_LOG_TEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void CCallDllThread::BothText(const std::string& text) const {
    ScreenText(text);
    LogText(text);
}

void CCallDllThread::StringToScreen(UINT id) const { ScreenText(fw::ResourceSource::LoadString(id)); }
void CCallDllThread::StringToLog(UINT id) const { LogText(fw::ResourceSource::LoadString(id)); }

void CCallDllThread::ResultColour(bool pass, COLORREF colour) const {
    Send(TM_RESULT_COLOUR, pass ? 1 : 0, static_cast<LPARAM>(colour));
}

void CCallDllThread::ColouredText(const std::string& text, COLORREF colour) const {
    Send(TM_COLOURED_TEXT, reinterpret_cast<WPARAM>(text.c_str()), static_cast<LPARAM>(colour));
}

void CCallDllThread::StartOfPass(LPARAM serviceLoop) const { Send(TM_RESTART_LOG, 0, serviceLoop); }

} // namespace tavil
