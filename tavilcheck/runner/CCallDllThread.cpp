#include "CCallDllThread.h"

#include <vector>

#include "HardDiskTest.h"
#include "LibraryModule.h"
#include "ProgramModule.h"
#include "RunProgress.h"
#include "RunningProgram.h"
#include "framework/ResourceSource.h"
#include "framework/TextUtil.h"
#include "resource_ids.h"

namespace tavil {

CCallDllThread::CCallDllThread(HWND window, const TestCatalogue& catalogue, RunRequest request)
    : m_window(window), m_catalogue(catalogue), m_request(std::move(request)), m_runFlags(m_request.runFlags) {
    g_runningProgram.Reset();
}

DWORD CCallDllThread::Run() {
    int32_t result = 0;
    if (m_request.resume)
        result = ResumeRun();
    else if (m_request.runKind == 0)
        result = BatchRun();
    else if (m_request.runKind == 1)
        result = SingleRun();
    Send(TM_RUN_RESULT, 0, static_cast<LPARAM>(result));
    Send(TM_RUN_DONE, 0, 0);
    return static_cast<DWORD>(result);
}

int32_t CCallDllThread::BatchRun() {
    m_runFlags |= FLAG_BATCH;
    const bool service = m_runFlags & FLAG_SERVICE;
    const int moduleCount = m_request.moduleCount, loopCount = m_request.loopCount;
    TestTimesDialog* testTimes = m_request.testTimes;
    const int entries = moduleCount < 0 ? 0 : moduleCount > kMaxQuickEntries ? kMaxQuickEntries : moduleCount;
    int32_t result = 0, lastResult = 0;
    bool stop = false, stopped = false, dialogOk = true;

    std::vector<int> counts(static_cast<size_t>(entries), 1);
    if (service && testTimes) {
        std::vector<std::string> names(m_catalogue.quickListBase.begin(), m_catalogue.quickListBase.begin() + entries);
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
                if (lastResult != 0 && (m_runFlags & FLAG_STOP_WHEN_ERROR) && service) {
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
        UINT banner = (m_runFlags & FLAG_RECOVERY) ? IDS_VERDICT_FAIL_PC : IDS_VERDICT_FAIL;
        StringToScreen(banner);
        StringToLog(banner);
    }
    return result;
}

int32_t CCallDllThread::SingleRun() {
    m_runFlags &= ~FLAG_BATCH;
    const int moduleIndex = m_request.moduleIndex;
    if (moduleIndex < 0 || moduleIndex >= kMaxModules)
        return TAVIL_RESULT_NOT_STARTED;
    const TestModule& module = m_catalogue.modules[static_cast<size_t>(moduleIndex)];
    // Lower-case ".dll" only: a name written "X.DLL" runs as a program.
    if (module.windowType == WINDOW_DEFAULT && fw::Contains(module.testFile, ".dll"))
        return RunLibraryModule(module.testFile, m_request.loopCount);

    BothText("= " + module.testName + " Start =\r\n\r\n");
    int32_t result = IsHardDiskTest(module.testFile) ? RunHardDiskTest(*this, module) : RunProgramModule(*this, module);
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
    m_runFlags &= ~FLAG_BATCH;
    const int moduleIndex = m_request.moduleIndex;
    if (moduleIndex < 0 || moduleIndex >= kMaxModules)
        return TAVIL_RESULT_NOT_STARTED;
    // The text stays valid for the whole call: it lives until we return.
    const std::string directory = m_request.logEnabled ? m_request.userLogDirectory : std::string();
    return RunLibraryModule(m_catalogue.modules[static_cast<size_t>(moduleIndex)].testFile,
                            reinterpret_cast<intptr_t>(directory.c_str()));
}

int32_t CCallDllThread::RunLibraryModule(const std::string& file, intptr_t argument) {
    LibraryCall call = CallLibraryModule(file, m_window, m_runFlags, argument, m_library);
    if (call.loaded && call.hasEntry)
        return call.result;
    // The module could not be tested: warn, go on with the run, and count
    // it as an error so that the verdict never says "no error" for it.
    // The window shows the box: this thread never opens one.
    const std::string text = fw::ResourceSource::LoadString(IDS_LOADING_DLL_FAILED);
    const std::string caption = fw::ResourceSource::LoadString(IDS_WARNING);
    TavilMessageBoxRecord box{text.c_str(), caption.c_str(), MB_ICONEXCLAMATION | MB_OK};
    Send(TM_MESSAGE_BOX, 0, reinterpret_cast<LPARAM>(&box));
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
