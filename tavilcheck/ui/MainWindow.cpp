#include "MainWindow.h"

#include <commctrl.h>

#include "framework/Application.h"
#include "framework/ResourceSource.h"
#include "framework/TextUtil.h"
#include "resource_ids.h"
#include "skinlib/Skin.h"
#include "skinlib/TesselMessageBox.h"
#include "tavilcheck/app/LogDirectoryPrompt.h"
#include "tavilcheck/app/SettingsFile.h"
#include "tavilcheck/app/Startup.h"
#include "tavilcheck/catalogue/CatalogueFiles.h"
#include "tavilcheck/catalogue/CatalogueParser.h"
#include "tavilcheck/catalogue/ModeFlags.h"
#include "tavilcheck/history/MachineIdentification.h"
#include "tavilcheck/history/RunLogText.h"
#include "tavilcheck/tools/WelcomeDialog.h"
#include "QuitQuestion.h"

namespace tavil {
namespace {
constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;
constexpr int kServiceExtraHeight = 20;
constexpr int kAdvancedMenuHeight = 80;
// Posted at the end of the set-up: the direct run starts once the window
// is up.
constexpr UINT WM_AUTO_START = WM_APP + 1;

std::string Str(UINT id) { return fw::ResourceSource::LoadString(id); }
} // namespace

FW_BEGIN_MESSAGE_MAP(MainWindow, TesselDialog)
    FW_ON_COMMAND(IDC_CLOSE, OnCloseButton)
    FW_ON_COMMAND(IDC_ADVANCED_MENU, OnAdvancedMenu)
    FW_ON_COMMAND(IDC_HELP_BUTTON, OnHelpButton)
    FW_ON_COMMAND(IDC_WITHOUT_LOGS, OnWithoutLogsClicked)
    FW_ON_COMMAND(IDC_BEEP_WHEN_ERROR, OnBeepBoxClicked)
    FW_ON_MESSAGE(WM_ASK_TEST_TIMES, OnAskTestTimes)
    FW_ON_MESSAGE(TM_HELP_CLOSED, OnHelpClosed)
    FW_ON_MESSAGE(WM_CLOSE, OnSystemClose)
    FW_ON_MESSAGE(WM_PAINT, OnPaintMessage)
    FW_ON_MESSAGE(WM_QUERYDRAGICON, OnQueryDragIcon)
    FW_ON_NOTIFY(TCN_SELCHANGING, IDC_PAGE_TABS, OnTabChanging)
    FW_ON_NOTIFY(TCN_SELCHANGE, IDC_PAGE_TABS, OnTabChange)
    FW_ON_MESSAGE(WM_AUTO_START, OnAutoStart)
    FW_ON_MESSAGE(TM_START_RUN, OnStartRun)
    FW_ON_MESSAGE(TM_STOP, OnStop)
    FW_ON_MESSAGE(TM_BACK, OnBack)
    FW_ON_MESSAGE(TM_RUN_DONE, OnRunDone)
    FW_ON_MESSAGE(TM_RUN_RESULT, OnRunResult)
    FW_ON_MESSAGE(TM_MODULE_COUNT, OnModuleCount)
    FW_ON_MESSAGE(TM_PROGRESS, OnProgress)
    FW_ON_MESSAGE(TM_MINUTES_LEFT, OnMinutesLeft)
    FW_ON_MESSAGE(TM_SCREEN_TEXT, OnScreenText)
    FW_ON_MESSAGE(TM_COLOURED_TEXT, OnColouredText)
    FW_ON_MESSAGE(TM_RESULT_COLOUR, OnResultColour)
    FW_ON_MESSAGE(TM_ENABLE_RUN_BUTTON, OnEnableRunButton)
    FW_ON_MESSAGE(TM_QUERY_RUN_STATE, OnQueryRunState)
    FW_ON_MESSAGE(TM_MESSAGE_BOX, OnMessageBox)
    FW_ON_MESSAGE(TM_STRING_LIST, OnStringList)
    FW_ON_MESSAGE(TM_CLEAR_OUTPUT, OnClearOutput)
    FW_ON_MESSAGE(TM_PAGE_CHANGED, OnPageChanged)
    FW_ON_MESSAGE(TM_SELECT_MODULE, OnSelectModule)
    FW_ON_MESSAGE(TM_LOG_TEXT, OnLogText)
    FW_ON_MESSAGE(TM_RESTART_LOG, OnRestartLog)
    FW_ON_MESSAGE(TM_QUERY_LOG_READY, OnQueryLogReady)
    FW_ON_MESSAGE(TM_REOPEN_LOG, OnReopenLog)
    FW_ON_MESSAGE(TM_SET_LOG_DIR, OnSetLogDirectory)
    FW_ON_MESSAGE(TM_NOP_407, OnIgnored)
    FW_ON_MESSAGE(TM_NOP_40C, OnIgnored)
    FW_ON_MESSAGE(WM_TIMER, OnTimer)
    FW_ON_MESSAGE(WM_REAP_WORKERS, OnReapWorkers)
    FW_ON_MESSAGE(WM_POWERBROADCAST, OnPowerBroadcast)
FW_END_MESSAGE_MAP()

MainWindow::MainWindow() : TesselDialog(IDD_MAIN_WINDOW) { SetPainter(&m_bandPainter); }

MainWindow::~MainWindow() = default;

void MainWindow::DoDataExchange() {
    TesselDialog::DoDataExchange();
    BindItem(IDC_PAGE_TABS, m_tabs);
    BindItem(IDC_HELP_BUTTON, m_helpButton);
    BindItem(IDC_CLOSE, m_closeButton);
    BindItem(IDC_ADVANCED_MENU, m_advancedButton);
}

void MainWindow::OnDestroy() {
    m_helpWindow.reset(); // a modeless dialog's window goes with its object
    // Pages go before the window: the batch page, History, Tools, then the
    // Individual Test page.
    for (TesselDialog* page : std::initializer_list<TesselDialog*>{m_batchPage.get(), m_historyPage.get(),
                                                                   m_toolsPage.get(), m_individualPage.get()})
        if (page && page->IsCreated())
            ::DestroyWindow(page->hwnd());
    TesselDialog::OnDestroy();
}

// The service options stand on the white band below the pages.
LRESULT MainWindow::OnCtlColor(HDC dc, HWND control) {
    if (!ServiceOptions::IsOption(control))
        return TesselDialog::OnCtlColor(dc, control);
    ::SetBkColor(dc, RGB(0xFF, 0xFF, 0xFF));
    ::SetTextColor(dc, skin::kText);
    return reinterpret_cast<LRESULT>(::GetStockObject(WHITE_BRUSH));
}

BOOL MainWindow::OnInitDialog() {
    TesselDialog::OnInitDialog();
    m_session = std::make_unique<RunSession>(m_hwnd, catalogue);

    m_icon = static_cast<HICON>(::LoadImageA(fw::ResourceSource::Program(), MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON,
                                             0, 0, LR_DEFAULTSIZE | LR_SHARED));
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    modeFlags &= ~FLAG_SERVICE;
    runKind = 0;
    selectedModule = -1;

    if (!BuildCatalogue() || !CheckDataFiles())
        return TRUE;

    {
        SystemDmiDevice dmi;
        modelName = ReadModelName(dmi);
    }
    startTimeText = LocalTimeText();

    ApplyLoggingRule();
    LoadInterfaceTexts(fw::ProgramDirectory(), modeFlags, catalogue, texts);
    if (!ConfirmWelcome())
        return TRUE;

    LayOutWindow();
    if (modeFlags & FLAG_SERVICE)
        m_options.Create(m_hwnd, catalogue, logEnabled, *beeper);
    m_options.ShowForPage(kBatchPage, -1);
    m_testTimes.SetWindow(m_hwnd);
    CreatePages();
    if (diagMode && PrepareDirectRun())
        ::PostMessageA(m_hwnd, WM_AUTO_START, 0, 0);
    return TRUE;
}

void MainWindow::Quit(const std::string& text, UINT icon, int exitCode) {
    std::string caption = fw::ResourceSource::LoadString(IDS_WARNING);
    TesselMessageBox(text.c_str(), caption.c_str(), icon | MB_OK);
    m_exitCode = exitCode;
    EndDialog(exitCode);
}

bool MainWindow::BuildCatalogue() {
    int result = ParseTestDefinitions(fw::ProgramDirectory(), modeFlags, catalogue);
    if (result == kDefinitionFileMissing) {
        Quit(fw::ResourceSource::LoadString(IDS_FILE_MISSING), MB_ICONWARNING, kExitNormal);
        return false;
    }
    if (result != kCatalogueBuilt) {
        Quit(fw::ResourceSource::LoadString(IDS_INVALID_INI), MB_ICONWARNING, kExitNormal);
        return false;
    }
    return true;
}

bool MainWindow::CheckDataFiles() {
    std::string required[] = {kDefinitionFileName, kInterfaceFileName, kSettingsFileName, "hwconfig.dll"};
    // A recovery build needs neither the settings file nor hwconfig.dll.
    size_t count = (modeFlags & FLAG_RECOVERY) ? 2 : 4;
    for (size_t i = 0; i < count; ++i) {
        if (!FileExists(fw::ProgramDirectory() + required[i])) {
            Quit(fw::ResourceSource::LoadString(IDS_FILE_MISSING), MB_ICONWARNING, kExitNormal);
            return false;
        }
    }
    return true;
}

void MainWindow::ApplyLoggingRule() {
    // Only a service installation keeps what the command line gave.
    if (modeFlags & FLAG_RECOVERY)
        logEnabled = false;
    else if (!(modeFlags & FLAG_SERVICE))
        logEnabled = true;
    // A directory too long for the log paths is not taken.
    if (!logDirectory.empty() && !LogDirectoryFits(fw::WithOneTrailingBackslash(logDirectory)))
        logDirectory.clear();
}

bool MainWindow::ConfirmWelcome() {
    const std::string settings = fw::ProgramDirectory() + kSettingsFileName;
    if (ReadSettingInt(settings, "WELCOME", "show", 0) != 1)
        return true;
    WelcomeDialog welcome(texts.welcomeIntro, texts.welcomeAgreement);
    if (welcome.DoModal() != IDOK) {
        m_exitCode = kExitNormal;
        EndDialog(kExitNormal);
        return false;
    }
    // Shown once: a settings file that cannot be written shows it again
    // at the next start, and nothing else is lost.
    WriteSetting(settings, "WELCOME", "show", "0");
    return true;
}

void MainWindow::LayOutWindow() {
    const bool service = modeFlags & FLAG_SERVICE;
    SetText(fw::ResourceSource::LoadString(service ? IDS_TITLE_SERVICE : IDS_TITLE_BUNDLE));

    // The window is sized so that its whole frame is 640 x 480 pixels
    // (20 more in a service installation, for its run options).
    const int height = kWindowHeight + (service ? kServiceExtraHeight : 0);
    SizeAndCentre(kWindowWidth, height);

    m_tabs.SetMinTabWidth(159);
    m_tabs.Move(0, 11, 640, 390);
    m_tabs.SetNotifyWindow(m_hwnd);
    m_helpButton.Move(445, 415, 83, 22);
    m_closeButton.Move(539, 415, 83, 22);
    m_helpButton.SetText(Str(IDS_HELP));
    m_closeButton.SetText(Str(service ? IDS_QUIT : IDS_CLOSE));
}

void MainWindow::CreatePages() {
    const bool recovery = modeFlags & FLAG_RECOVERY;
    UINT batchTitle = (modeFlags & FLAG_SERVICE)                   ? IDS_TAB_FINAL_INSPECTION
                      : (!(modeFlags & FLAG_FULLTEST) || recovery) ? IDS_TAB_QUICK_TEST
                                                                   : IDS_TAB_FULL_TEST;
    // The page rectangle: the tab control's client area, 2 in from the
    // left and 28 down from the top.
    RECT page = m_tabs.ClientRect();
    page.left += 2;
    page.top += 28;
    const int width = page.right - page.left, height = page.bottom - page.top;
    // Each page is made when its tab is first chosen; the tab control
    // makes and shows the first one at once.
    auto maker = [this](TesselDialog& dialog, RECT at) { return [this, &dialog, at] { return MakePage(dialog, at); }; };

    m_batchPage = std::make_unique<TestPage>(kBatchPage, m_hwnd, modeFlags, catalogue, texts.pageText, "");
    m_tabs.AddPage(Str(batchTitle), maker(*m_batchPage, page));
    if (!recovery) {
        m_individualPage =
            std::make_unique<TestPage>(kIndividualTestPage, m_hwnd, modeFlags, catalogue, "", texts.individualTestText);
        m_tabs.AddPage(Str(IDS_TAB_INDIVIDUAL_TEST), maker(*m_individualPage, page));
        m_toolsPage = std::make_unique<ToolsPage>(modeFlags, texts.deviceManagerText, texts.checkDiskText);
        RECT tools{12, page.top + 7, 12 + width - 29, page.top + 7 + height - 48};
        m_tabs.AddPage(Str(IDS_TAB_TOOLS), [this, tools] {
            HWND made = MakePage(*m_toolsPage, tools);
            if (made)
                m_toolsPage->LayOutTools();
            return made;
        });
        m_historyPage = std::make_unique<HistoryPage>(m_hwnd, logDirectory, modelName, texts.historyText);
        m_tabs.AddPage(Str(IDS_TAB_HISTORY), maker(*m_historyPage, page));
    }
    // The band under the pages, in the window's client pixels.
    RECT tabs = m_tabs.WindowRectIn(m_hwnd);
    m_bandPainter.bandTop = tabs.top + page.bottom + 12;
    Invalidate();
}

HWND MainWindow::MakePage(TesselDialog& page, const RECT& at) {
    if (!page.Create(m_tabs.hwnd()))
        return nullptr;
    page.Move(at.left, at.top, at.right - at.left, at.bottom - at.top);
    return page.hwnd();
}

bool MainWindow::PrepareDirectRun() {
    if (fw::Contains(diagModule, "fastcheck")) {
        runKind = 0;
        runTitle = "FastCheck";
        return true;
    }
    for (int slot = 0; slot < kMaxModules; ++slot) {
        if (fw::Contains(catalogue.modules[slot].testFile, diagModule)) {
            runKind = 1;
            selectedModule = slot;
            runTitle = catalogue.modules[slot].testName;
            if (m_individualPage) {
                // The Individual Test tab comes to the front for the run.
                m_tabs.Select(1);
            }
            return true;
        }
    }
    Quit("Parameter is wrong", MB_ICONINFORMATION, kExitRefused);
    return false;
}

// Called when the Close (QUIT) button is pressed; it is disabled during a run.
LRESULT MainWindow::OnCloseButton(WPARAM, LPARAM) {
    if (RunInProgress())
        return 0;
    if (AskToQuit(m_hwnd, modeFlags, *powerOff))
        EndDialog(m_exitCode);
    return 0;
}

// Called for the window's own close command (title bar, Alt+F4, system menu).
LRESULT MainWindow::OnSystemClose(WPARAM, LPARAM) {
    if (RunInProgress()) {
        TesselMessageBox(IDS_STOP_BEFORE_CLOSE, Str(IDS_WARNING).c_str(), MB_ICONINFORMATION | MB_OK, m_hwnd);
        return 0;
    }
    if (AskToQuit(m_hwnd, modeFlags, *powerOff))
        EndDialog(m_exitCode);
    return 0;
}

// Called for the advanced-menu button that a resource library's template
// may show: the window grows or shrinks by the advanced area.
LRESULT MainWindow::OnAdvancedMenu(WPARAM, LPARAM) {
    advancedMenuShown = !advancedMenuShown;
    RECT frame;
    ::GetWindowRect(m_hwnd, &frame);
    int height = frame.bottom - frame.top + (advancedMenuShown ? kAdvancedMenuHeight : -kAdvancedMenuHeight);
    SetSize(frame.right - frame.left, height);
    m_advancedButton.SetText(advancedMenuShown ? "Hide Advcanced Menu << " : "Show Advcanced Menu >> ");
    return 0;
}

// Called when the Help button is pressed: opens the help window unless it
// is open.
LRESULT MainWindow::OnHelpButton(WPARAM, LPARAM) {
    if (m_helpWindow)
        return 0;
    m_helpWindow =
        std::make_unique<HelpWindow>(m_hwnd, modeFlags, texts.helpText, fw::ProgramDirectory() + kSettingsFileName);
    if (!m_helpWindow->Create(m_hwnd)) {
        m_helpWindow.reset();
        return 0;
    }
    m_helpButton.Enable(false);
    return 0;
}

// The help window's OK: it goes, and the Help button comes back.
LRESULT MainWindow::OnHelpClosed(WPARAM, LPARAM) {
    m_helpWindow.reset();
    m_helpButton.Enable(true);
    return 0;
}

// "Test Without Logs" was clicked (service installation): checked, no
// logs; cleared, the log-directory prompt decides.
LRESULT MainWindow::OnWithoutLogsClicked(WPARAM, LPARAM) {
    if (m_options.WithoutLogs()) {
        logEnabled = false;
        return 0;
    }
    LogSettings settings{logEnabled, logDirectory, false};
    if (PromptLogDirectory(m_hwnd, fw::ProgramDirectory() + kSettingsFileName, modeFlags, settings) ==
        kLogDirectoryUnusable) {
        m_options.SetWithoutLogs(true);
        logEnabled = false;
        return 0;
    }
    logEnabled = settings.logEnabled;
    logDirectory = settings.logDirectory;
    if (settings.withoutLogsChecked)
        m_options.SetWithoutLogs(true);
    return 0;
}

LRESULT MainWindow::OnBeepBoxClicked(WPARAM, LPARAM) {
    m_options.BeepBoxClicked();
    return 0;
}

// The worker of a service-mode batch asks for the Test Times dialog.
LRESULT MainWindow::OnAskTestTimes(WPARAM, LPARAM lParam) {
    auto* question = reinterpret_cast<TestTimesQuestion*>(lParam);
    if (!question || !question->names || !question->counts)
        return IDCANCEL;
    TestTimesWindow dialog(m_hwnd, *question->names);
    if (dialog.DoModal() != IDOK)
        return IDCANCEL;
    *question->counts = dialog.counts;
    return IDOK;
}

LRESULT MainWindow::OnTabChanging(WPARAM, LPARAM) { return m_tabs.OnSelChanging(); }
LRESULT MainWindow::OnTabChange(WPARAM, LPARAM) { return m_tabs.OnSelChange(); }

// Minimised, the window shows its icon centred in the client area.
LRESULT MainWindow::OnPaintMessage(WPARAM, LPARAM) {
    if (!::IsIconic(m_hwnd))
        return Default();
    PAINTSTRUCT paint;
    HDC dc = ::BeginPaint(m_hwnd, &paint);
    RECT client = ClientRect();
    int cx = ::GetSystemMetrics(SM_CXICON), cy = ::GetSystemMetrics(SM_CYICON);
    ::DrawIcon(dc, (client.right - cx + 1) / 2, (client.bottom - cy + 1) / 2, m_icon);
    ::EndPaint(m_hwnd, &paint);
    return 0;
}

LRESULT MainWindow::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_icon); }

} // namespace tavil
