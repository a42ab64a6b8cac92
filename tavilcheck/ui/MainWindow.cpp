#include "MainWindow.h"

#include <cstdio>

#include "framework/ResourceSource.h"
#include "framework/TextUtil.h"
#include "resource_ids.h"
#include "skinlib/TesselMessageBox.h"
#include "tavilcheck/app/SettingsFile.h"
#include "tavilcheck/app/Startup.h"
#include "tavilcheck/catalogue/CatalogueFiles.h"
#include "tavilcheck/catalogue/CatalogueParser.h"
#include "tavilcheck/catalogue/ModeFlags.h"

namespace tavil {
namespace {
constexpr int kWindowWidth = 640;
constexpr int kWindowHeight = 480;
} // namespace

FW_BEGIN_MESSAGE_MAP(MainWindow, TesselDialog)
    FW_ON_COMMAND(IDC_CLOSE, OnClose)
    FW_ON_MESSAGE(WM_CLOSE, OnClose)
FW_END_MESSAGE_MAP()

MainWindow::MainWindow() : TesselDialog(IDD_MAIN_WINDOW) {}

void MainWindow::DoDataExchange() {
    TesselDialog::DoDataExchange();
    BindItem(IDC_PAGE_TABS, m_tabs);
    BindItem(IDC_HELP_BUTTON, m_helpButton);
    BindItem(IDC_CLOSE, m_closeButton);
}

BOOL MainWindow::OnInitDialog() {
    TesselDialog::OnInitDialog();

    m_icon = static_cast<HICON>(::LoadImageA(fw::ResourceSource::Program(),
                                             MAKEINTRESOURCEA(IDI_PROGRAM), IMAGE_ICON, 0, 0,
                                             LR_DEFAULTSIZE | LR_SHARED));
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
    modeFlags &= ~FLAG_SERVICE;
    runKind = 0;
    selectedModule = -1;

    if (!BuildCatalogue() || !CheckDataFiles())
        return TRUE;

    // The model name comes with the machine identification.
    modelName.clear();
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char timeText[64];
    std::snprintf(timeText, sizeof timeText, "%d/%02d/%02d  %02d:%02d:%02d", now.wYear, now.wMonth,
                  now.wDay, now.wHour, now.wMinute, now.wSecond);
    startTimeText = timeText;

    ApplyLoggingRule();
    LoadInterfaceTexts(ProgramDirectory(), modeFlags, catalogue, texts);

    LayOutWindow();
    if (diagMode)
        PrepareDirectRun();
    return TRUE;
}

void MainWindow::Quit(const std::string& text, UINT icon, int exitCode) {
    std::string caption = fw::ResourceSource::LoadString(IDS_WARNING);
    TesselMessageBox(text.c_str(), caption.c_str(), icon | MB_OK);
    m_exitCode = exitCode;
    EndDialog(exitCode);
}

bool MainWindow::BuildCatalogue() {
    int result = ParseTestDefinitions(ProgramDirectory(), modeFlags, catalogue);
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
    std::string required[] = {kDefinitionFileName, kInterfaceFileName, kSettingsFileName,
                              "hwconfig.dll"};
    // A recovery build needs neither the settings file nor hwconfig.dll.
    size_t count = (modeFlags & FLAG_RECOVERY) ? 2 : 4;
    for (size_t i = 0; i < count; ++i) {
        if (!FileExists(ProgramDirectory() + required[i])) {
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
}

void MainWindow::LayOutWindow() {
    const bool service = modeFlags & FLAG_SERVICE;
    SetText(fw::ResourceSource::LoadString(service ? IDS_TITLE_SERVICE : IDS_TITLE_BUNDLE));

    // The window is sized so that its whole frame is 640 x 480 pixels.
    SetSize(kWindowWidth, kWindowHeight);
    RECT work{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    SetPosition(work.left + (work.right - work.left - kWindowWidth) / 2,
                work.top + (work.bottom - work.top - kWindowHeight) / 2);

    m_tabs.Move(0, 11, 640, 390);
    m_tabs.SetMinTabWidth(159);
    m_helpButton.Move(445, 415, 83, 22);
    m_closeButton.Move(539, 415, 83, 22);
    m_helpButton.SetText(fw::ResourceSource::LoadString(IDS_HELP));
    m_closeButton.SetText(fw::ResourceSource::LoadString(service ? IDS_QUIT : IDS_CLOSE));
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
            return true;
        }
    }
    Quit("Parameter is wrong", MB_ICONINFORMATION, kExitRefused);
    return false;
}

// Called for the Close button and the window's close command.
LRESULT MainWindow::OnClose(WPARAM, LPARAM) {
    EndDialog(m_exitCode);
    return 0;
}

} // namespace tavil
