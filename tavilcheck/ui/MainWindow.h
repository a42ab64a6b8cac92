// The one top-level window of tavilcheck: a fixed-size skinned dialog with
// the tab control of the pages, a Help and a Close button.  Its set-up
// finishes the start-up: catalogue, data-file checks, interface texts,
// title, layout and the direct-run request.
#pragma once

#include <cstdint>
#include <string>

#include "skinlib/TesselButton.h"
#include "skinlib/TesselDialog.h"
#include "skinlib/TesselTabCtrl.h"
#include "tavilcheck/catalogue/InterfaceTexts.h"
#include "tavilcheck/catalogue/TestCatalogue.h"

namespace tavil {

// Exit codes of the program.
constexpr int kExitNormal = 0;
constexpr int kExitRefused = -1; // second instance, wrong command line

class MainWindow : public TesselDialog {
public:
    MainWindow();

    // Set by start-up before the window runs.
    uint32_t modeFlags = 0;
    std::string defaultLogDirectory = "a:\\";
    std::string logDirectory;
    bool logEnabled = false;
    bool diagMode = false;
    std::string diagModule;
    int runCount = 1;

    // Filled by the set-up.
    int runKind = 0;         // 0 batch run of the batch page, 1 single run
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

private:
    FW_DECLARE_MESSAGE_MAP(MainWindow)
    LRESULT OnClose(WPARAM, LPARAM);

    // Shows `text` (caption "Warning") and ends the program with `exitCode`.
    void Quit(const std::string& text, UINT icon, int exitCode);
    // The steps of the set-up; false when the program ends there.
    bool BuildCatalogue();
    bool CheckDataFiles();
    void ApplyLoggingRule();
    void LayOutWindow();
    bool PrepareDirectRun();

    TesselTabCtrl m_tabs;
    TesselButton m_helpButton;
    TesselButton m_closeButton;
    HICON m_icon = nullptr;
    int m_exitCode = kExitNormal;
};

} // namespace tavil
