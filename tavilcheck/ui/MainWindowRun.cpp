// Run control of the main window: starting a run, what the worker and the
// modules send during it, Stop, the end of the run and Back.
#include <algorithm>

#include "MainWindow.h"
#include "framework/Application.h"
#include "framework/ResourceSource.h"
#include "framework/TextUtil.h"
#include "resource_ids.h"
#include "skinlib/TesselMessageBox.h"
#include "tavilcheck/app/Startup.h"
#include "tavilcheck/catalogue/ModeFlags.h"

namespace tavil {

namespace {

constexpr UINT_PTR kAnimationTimer = 5;
constexpr UINT kAnimationPeriodMs = 66;

std::string Str(UINT id) { return fw::ResourceSource::LoadString(id); }

// A text a sender handed over: nothing for a null pointer.
const char* TextOf(uintptr_t value) { return reinterpret_cast<const char*>(value); }

} // namespace

// The page showing.  During a run the other tabs are locked, so it is the
// page the run belongs to.
TestPage* MainWindow::CurrentTestPage() const {
    if (runKind == kBatchPage)
        return m_batchPage.get();
    if (runKind == kIndividualTestPage)
        return m_individualPage.get();
    return nullptr;
}

// Called when a page's Run Test button was pressed (the page is already in
// its running view); lParam is the chosen catalogue slot.
LRESULT MainWindow::OnStartRun(WPARAM, LPARAM) {
    if (RunInProgress())
        return 0; // one run at a time
    if (runKind == kIndividualTestPage) {
        if (selectedModule < 0 || selectedModule >= kMaxModules)
            return 0;
        const TestModule& module = catalogue.modules[selectedModule];
        runTitle = module.testName;
        m_resumeFlag = fw::Contains(module.testFile, "susresrbt");
    } else {
        runTitle = RunTitle(0, modeFlags, "", Str(IDS_FINALINSPECTION), Str(IDS_TAB_FULL_TEST), Str(IDS_QUICKTEST));
        // A batch is never a resume run.
        m_resumeFlag = false;
    }
    // The Loop box of the service options sets the count there (on the
    // Individual Test page for a module that may repeat); one run
    // everywhere else.
    runCount = 1;
    if (m_options.Created() && (runKind == kBatchPage ||
                                (runKind == kIndividualTestPage && catalogue.modules[selectedModule].repeatEnable > 0)))
        runCount = m_options.LoopValue();
    StartRun();
    return 0;
}

// Posted at the end of the set-up when the command line asked for a run.
LRESULT MainWindow::OnAutoStart(WPARAM, LPARAM) {
    TestPage* page = CurrentTestPage();
    if (!page || RunInProgress())
        return 0;
    if (runKind == kIndividualTestPage) {
        page->SelectModule(selectedModule);
        page->SetDescription(catalogue.modules[selectedModule].description);
    } else {
        page->SetDescription(texts.pageText);
    }
    page->ShowRunningView();
    page->SetRunButtonState(kButtonStop);
    m_resumeFlag = fw::Contains(diagModule, "susresrbt");
    if (runCount < 1)
        runCount = 1;
    m_options.SetLoopValue(runCount);
    StartRun();
    return 0;
}

void MainWindow::StartRun() {
    TestPage* page = CurrentTestPage();
    if (!page)
        return;
    page->SetRunButtonState(kButtonStop);
    LockOtherTabs(true);
    m_closeButton.Enable(false);
    ::SetTimer(m_hwnd, kAnimationTimer, kAnimationPeriodMs, nullptr);

    // The service options are read at each start: the log follows "Test
    // Without Logs" before it is opened.
    if (m_options.Created()) {
        if (m_options.StopWhenError())
            modeFlags |= FLAG_STOP_WHEN_ERROR;
        else
            modeFlags &= ~FLAG_STOP_WHEN_ERROR;
        logEnabled = !m_options.WithoutLogs();
    }
    RunStart start;
    RunRequest& request = start.request;
    if (m_options.Created() && runKind == kBatchPage)
        request.testTimes = &m_testTimes;
    request.runKind = runKind;
    request.moduleIndex = selectedModule;
    request.resume = m_resumeFlag;
    request.moduleCount = catalogue.quickCount;
    request.loopCount = runCount;
    request.runFlags = modeFlags;
    request.logEnabled = logEnabled;
    request.userLogDirectory = logDirectory;
    request.moduleLogDirectory = logEnabled && !logDirectory.empty() ? logDirectory : defaultLogDirectory;
    request.programDirectory = fw::ProgramDirectory();
    start.title = runTitle;
    start.modelName = modelName;
    if (StartFailure failure = m_session->Start(start)) {
        // Nothing runs: say why, and end the run at once.
        page->AppendScreenText(RunNotStartedText(failure));
        ShowRunEnded();
    }
}

void MainWindow::LockOtherTabs(bool locked) {
    for (int i = 0; i < m_tabs.GetItemCount(); ++i)
        if (i != runKind)
            m_tabs.SetTabEnabled(i, locked ? FALSE : TRUE);
}

// Called when the Stop button was pressed.
LRESULT MainWindow::OnStop(WPARAM, LPARAM) {
    if (TestPage* page = CurrentTestPage())
        page->SetRunButtonState(kButtonDisabled);
    m_session->Stop(runKind == kIndividualTestPage);
    return 0;
}

// The worker's last message.
LRESULT MainWindow::OnRunDone(WPARAM, LPARAM) {
    m_session->Finish();
    ShowRunEnded();
    return 0;
}

void MainWindow::ShowRunEnded() {
    if (TestPage* page = CurrentTestPage()) {
        page->SetRunButtonState(kButtonBack);
        page->SetPercent(100);
        page->FlushOutput();
    }
    LockOtherTabs(false);
    m_closeButton.Enable(true);
}

LRESULT MainWindow::OnReapWorkers(WPARAM, LPARAM) {
    m_session->Reap();
    return 0;
}

// Called when the Back button was pressed (the page shows its start view).
LRESULT MainWindow::OnBack(WPARAM, LPARAM) {
    m_options.StopBeep();
    m_session->ResetRunState();
    if (TestPage* page = CurrentTestPage()) {
        page->SetRunButtonState(kButtonRun);
        page->ResetPage();
    }
    return 0;
}

LRESULT MainWindow::OnTimer(WPARAM timer, LPARAM) {
    if (timer == kBeepTimer) {
        m_options.OnBeepTimer();
        return 0;
    }
    if (timer == kAnimationTimer) {
        if (!RunInProgress()) {
            ::KillTimer(m_hwnd, kAnimationTimer);
            return 0;
        }
        if (TestPage* page = CurrentTestPage())
            page->AnimateProgress();
    } else if (timer == kReapTimer) {
        m_session->OnReapTimer();
    }
    return 0;
}

LRESULT MainWindow::OnRunResult(WPARAM, LPARAM result) {
    m_session->SetResult(static_cast<int32_t>(result));
    return 0;
}

LRESULT MainWindow::OnModuleCount(WPARAM count, LPARAM) {
    m_session->SetModuleCount(static_cast<int>(count));
    return 0;
}

LRESULT MainWindow::OnProgress(WPARAM, LPARAM value) {
    TestPage* page = CurrentTestPage();
    if (!page)
        return 0;
    int percent = static_cast<int>(value);
    if (runKind == kBatchPage)
        percent = m_session->BatchPercent(percent);
    page->SetPercent(percent);
    return 0;
}

LRESULT MainWindow::OnMinutesLeft(WPARAM, LPARAM minutes) {
    if (TestPage* page = CurrentTestPage())
        page->SetMinutesLeft(static_cast<int>(minutes));
    return 0;
}

LRESULT MainWindow::OnScreenText(WPARAM, LPARAM text) {
    TestPage* page = CurrentTestPage();
    if (page && TextOf(text))
        page->AppendScreenText(TextOf(text));
    return 0;
}

LRESULT MainWindow::OnColouredText(WPARAM text, LPARAM colour) {
    TestPage* page = CurrentTestPage();
    if (page && TextOf(text))
        page->AppendOutputText(TextOf(text), static_cast<COLORREF>(colour));
    return 0;
}

LRESULT MainWindow::OnResultColour(WPARAM result, LPARAM colour) {
    if (!(modeFlags & FLAG_SERVICE))
        return 0;
    if (result == 0) // an error: the beep starts when asked for
        m_options.ErrorShown();
    if (TestPage* page = CurrentTestPage())
        page->SetOutputBackground(static_cast<COLORREF>(colour));
    return 0;
}

LRESULT MainWindow::OnEnableRunButton(WPARAM enable, LPARAM) {
    if (TestPage* page = CurrentTestPage())
        page->EnableRunButton(enable != 0);
    return 0;
}

LRESULT MainWindow::OnQueryRunState(WPARAM, LPARAM) { return m_session->RunState(); }

LRESULT MainWindow::OnMessageBox(WPARAM, LPARAM lParam) {
    const auto* record = reinterpret_cast<const TavilMessageBoxRecord*>(lParam);
    if (!record)
        return 0;
    return TesselMessageBox(record->text ? record->text : "", record->caption ? record->caption : "", record->style,
                            m_hwnd);
}

LRESULT MainWindow::OnStringList(WPARAM, LPARAM lParam) {
    const auto* record = reinterpret_cast<const TavilStringListRecord*>(lParam);
    if (!record)
        return 0;
    int count = std::clamp<int32_t>(record->count, 0, TAVIL_STRING_LIST_MAX);
    m_stringList.clear();
    for (int i = 0; i < count; ++i)
        m_stringList.push_back(record->strings[i] ? record->strings[i] : "");
    return 0;
}

LRESULT MainWindow::OnClearOutput(WPARAM, LPARAM) {
    // A page not made yet has no output to clear.
    if (m_individualPage && m_individualPage->IsCreated())
        m_individualPage->ClearOutput();
    return 0;
}

// A tab came to the front (sent by the tab control).
LRESULT MainWindow::OnPageChanged(WPARAM, LPARAM index) {
    runKind = static_cast<int>(index);
    m_options.ShowForPage(runKind, selectedModule);
    m_session->ResetRunState();
    if (TestPage* page = CurrentTestPage())
        page->ResetPage();
    else if (runKind == 3 && m_historyPage) {
        m_historyPage->ShowIntroduction();
        m_historyPage->FillLogList(logDirectory);
    }
    return 0;
}

LRESULT MainWindow::OnSelectModule(WPARAM, LPARAM slot) {
    selectedModule = static_cast<int>(slot);
    if (selectedModule >= 0 && selectedModule < kMaxModules)
        m_options.ModuleChosen(catalogue.modules[selectedModule]);
    return 0;
}

// The system asks whether it may suspend: not while a test runs (a
// resume run tests exactly that, so it may).
LRESULT MainWindow::OnPowerBroadcast(WPARAM event, LPARAM) {
    if (event == 0 /* PBT_APMQUERYSUSPEND */ && m_session && m_session->RefusesSuspend())
        return kRefuseSuspend;
    return Default();
}

LRESULT MainWindow::OnLogText(WPARAM, LPARAM text) {
    m_session->WriteLog(TextOf(text));
    return 0;
}

// A repetition of a single run, or a loop of a service-mode batch, begins:
// the log keeps only what follows.
LRESULT MainWindow::OnRestartLog(WPARAM, LPARAM serviceLoop) {
    if (runKind == kIndividualTestPage || (runKind == kBatchPage && serviceLoop == 1))
        m_session->RestartLog();
    return 0;
}

LRESULT MainWindow::OnQueryLogReady(WPARAM, LPARAM) { return m_session->LogReady() ? 1 : 0; }

LRESULT MainWindow::OnReopenLog(WPARAM, LPARAM) {
    m_session->ReopenLog();
    return 0;
}

// A module asks for a fresh log (0), or names the directory to log to (1).
LRESULT MainWindow::OnSetLogDirectory(WPARAM mode, LPARAM directory) {
    if (mode == 0) {
        if (logEnabled && !logDirectory.empty())
            m_session->OpenFreshLog(logDirectory);
    } else if (mode == 1 && TextOf(directory)) {
        if (m_session->UseLogDirectory(TextOf(directory))) {
            logDirectory = m_session->LogDirectory();
            logEnabled = true;
        }
    }
    return 0;
}
LRESULT MainWindow::OnIgnored(WPARAM, LPARAM) { return 0; }

} // namespace tavil
