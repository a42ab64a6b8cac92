// The one top-level window of tavilcheck: a fixed-size skinned dialog with
// the tab control of the pages, a Help and a Close button.  Its set-up
// finishes the start-up (catalogue, data-file checks, interface texts,
// title, layout, pages, the direct-run request); its run control starts
// the run worker, shows what the worker and the modules send, and brings
// the page back to idle at the end (MainWindowRun.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "PageTabCtrl.h"
#include "Painters.h"
#include "PowerOff.h"
#include "RunSession.h"
#include "ServiceOptions.h"
#include "TestTimesWindow.h"
#include "TestPage.h"
#include "skinlib/TesselButton.h"
#include "skinlib/TesselDialog.h"
#include "tavilcheck/catalogue/InterfaceTexts.h"
#include "tavilcheck/history/HistoryPage.h"
#include "tavilcheck/tools/HelpWindow.h"
#include "tavilcheck/tools/ToolsPage.h"
#include "tavilcheck/catalogue/TestCatalogue.h"

namespace tavil {

// Exit codes of the program.
constexpr int kExitNormal = 0;
constexpr int kExitRefused = -1; // second instance, wrong command line

// Answer to the system's "may it suspend?" during a run.
constexpr LRESULT kRefuseSuspend = 0x424D5144;

class MainWindow : public TesselDialog {
public:
    MainWindow();
    ~MainWindow() override;

    // Set by start-up before the window runs.
    uint32_t modeFlags = 0;
    std::string defaultLogDirectory = "a:\\";
    std::string logDirectory;
    bool logEnabled = false;
    bool diagMode = false;
    std::string diagModule;
    int runCount = 1;
    // Switches the machine off on "quit with shutdown"; tests set a double.
    PowerOff* powerOff = &m_systemPowerOff;
    // Sounds the beep after an error; tests set a double.
    Beeper* beeper = &m_systemBeeper;

    // Filled by the set-up.
    int runKind = 0;         // the page showing: 0 batch page, 1 Individual Test page, others
    int selectedModule = -1; // catalogue slot of a single run
    std::string runTitle;
    std::string modelName;
    std::string startTimeText;
    bool advancedMenuShown = false;
    TestCatalogue catalogue;
    InterfaceTexts texts;

    // The process exit code once the window has closed.
    int exitCode() const { return m_exitCode; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    void OnOK() override {}     // Enter does nothing
    void OnCancel() override {} // nor does Esc
    void OnDestroy() override;
    LRESULT OnCtlColor(HDC dc, HWND control) override;

private:
    FW_DECLARE_MESSAGE_MAP(MainWindow)
    // Closing.
    LRESULT OnCloseButton(WPARAM, LPARAM);
    LRESULT OnSystemClose(WPARAM, LPARAM);
    LRESULT OnAdvancedMenu(WPARAM, LPARAM);
    LRESULT OnHelpButton(WPARAM, LPARAM);
    LRESULT OnWithoutLogsClicked(WPARAM, LPARAM);
    LRESULT OnBeepBoxClicked(WPARAM, LPARAM);
    LRESULT OnAskTestTimes(WPARAM, LPARAM);
    LRESULT OnHelpClosed(WPARAM, LPARAM);
    LRESULT OnTabChanging(WPARAM, LPARAM);
    LRESULT OnTabChange(WPARAM, LPARAM);
    LRESULT OnPaintMessage(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);

    // Run control (MainWindowRun.cpp).
    LRESULT OnStartRun(WPARAM, LPARAM);
    LRESULT OnAutoStart(WPARAM, LPARAM);
    LRESULT OnStop(WPARAM, LPARAM);
    LRESULT OnBack(WPARAM, LPARAM);
    LRESULT OnRunDone(WPARAM, LPARAM);
    LRESULT OnRunResult(WPARAM, LPARAM);
    LRESULT OnModuleCount(WPARAM, LPARAM);
    LRESULT OnProgress(WPARAM, LPARAM);
    LRESULT OnMinutesLeft(WPARAM, LPARAM);
    LRESULT OnScreenText(WPARAM, LPARAM);
    LRESULT OnColouredText(WPARAM, LPARAM);
    LRESULT OnResultColour(WPARAM, LPARAM);
    LRESULT OnEnableRunButton(WPARAM, LPARAM);
    LRESULT OnQueryRunState(WPARAM, LPARAM);
    LRESULT OnMessageBox(WPARAM, LPARAM);
    LRESULT OnStringList(WPARAM, LPARAM);
    LRESULT OnClearOutput(WPARAM, LPARAM);
    LRESULT OnPageChanged(WPARAM, LPARAM);
    LRESULT OnSelectModule(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnReapWorkers(WPARAM, LPARAM);
    LRESULT OnPowerBroadcast(WPARAM, LPARAM);
    // The run log's messages.
    LRESULT OnLogText(WPARAM, LPARAM);
    LRESULT OnRestartLog(WPARAM, LPARAM);
    LRESULT OnQueryLogReady(WPARAM, LPARAM);
    LRESULT OnReopenLog(WPARAM, LPARAM);
    LRESULT OnSetLogDirectory(WPARAM, LPARAM);
    LRESULT OnIgnored(WPARAM, LPARAM);

    // Shows `text` (caption "Warning") and ends the program with `exitCode`.
    void Quit(const std::string& text, UINT icon, int exitCode);
    // The steps of the set-up; false when the program ends there.
    bool BuildCatalogue();
    bool CheckDataFiles();
    void ApplyLoggingRule();
    // The welcome dialog when the settings ask for it; false when it was
    // not agreed to (the program then ends).
    bool ConfirmWelcome();
    void LayOutWindow();
    void CreatePages();
    // Makes `page` in the tab control and places it at `at`; nullptr when
    // it could not be made.
    HWND MakePage(TesselDialog& page, const RECT& at);
    bool PrepareDirectRun();

    // Run control steps.
    TestPage* CurrentTestPage() const; // the page of runKind, or none
    void StartRun();
    // The page and the window back to idle at the end of a run.
    void ShowRunEnded();
    void LockOtherTabs(bool locked);
    // From the start of a run until TM_RUN_DONE.
    bool RunInProgress() const { return m_session && m_session->Running(); }

    PageTabCtrl m_tabs;
    TesselButton m_helpButton;
    TesselButton m_closeButton;
    fw::Window m_advancedButton;
    BandDialogPainter m_bandPainter;
    std::unique_ptr<TestPage> m_batchPage;
    std::unique_ptr<TestPage> m_individualPage;
    std::unique_ptr<ToolsPage> m_toolsPage;
    std::unique_ptr<HistoryPage> m_historyPage;
    std::unique_ptr<HelpWindow> m_helpWindow; // while the help window is open
    HICON m_icon = nullptr;
    int m_exitCode = kExitNormal;
    SystemPowerOff m_systemPowerOff;
    SystemBeeper m_systemBeeper;
    ServiceOptions m_options;    // made in a service installation only
    WindowTestTimes m_testTimes; // the worker asks the window for the dialog

    // The runs: created with the window, it owns the worker and the log.
    std::unique_ptr<RunSession> m_session;
    bool m_resumeFlag = false;             // the next run is a resume run
    std::vector<std::string> m_stringList; // of TM_STRING_LIST; not empty: a list was given
};

} // namespace tavil
