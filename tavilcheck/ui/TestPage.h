// The page behind both test tabs: the batch page (Quick Test, Full Test or
// Final Inspection) and the Individual Test page.  Its start view shows a
// picture and the description; its running view the run's output and
// progress.  The Run/Stop/Back button tells the main window what the user
// wants; the main window drives the views during a run.
#pragma once

#include <cstdint>
#include <string>

#include "LogRichEdit.h"
#include "framework/Gdi.h"
#include "Painters.h"
#include "skinlib/TesselButton.h"
#include "skinlib/TesselComboBox.h"
#include "PageDialog.h"
#include "skinlib/TesselProgressCtrl.h"
#include "tavilcheck/catalogue/TestCatalogue.h"

namespace tavil {

enum TestPageKind { kBatchPage = 0, kIndividualTestPage = 1 };

// States of the run button.
enum RunButtonState { kButtonRun = 0, kButtonStop = 1, kButtonDisabled = 2, kButtonBack = 3 };

class TestPage : public PageDialog {
public:
    // `owner` (the main window) receives the page's TM_ messages;
    // `catalogue` names and describes the modules of the list.
    TestPage(TestPageKind kind, HWND owner, uint32_t modeFlags, const TestCatalogue& catalogue, std::string pageText,
             std::string defaultDescription);
    ~TestPage() override;

    TestPageKind kind() const { return m_kind; }
    int chosenModule() const { return m_chosen; }
    int buttonState() const { return m_buttonState; }

    void SetDescription(const std::string& rtf);
    void SetRunButtonState(int state);
    void EnableRunButton(bool enabled);
    void ResetPage();
    // Chooses `slot` as if the user had picked it (direct-run mode).
    void SelectModule(int slot);

    // The running view: refused (false, with the "Please select a test"
    // warning) on the Individual Test page while no test is chosen.
    bool ShowRunningView();
    void ShowStartView();
    void AppendScreenText(const std::string& text);
    void ClearOutput();
    void AppendOutputText(const std::string& text, COLORREF colour);
    void SetOutputBackground(COLORREF colour);
    void SetPercent(int percent);
    void SetMinutesLeft(int minutes);
    void AnimateProgress();
    // Draws the output that came since the last call (the animation timer
    // calls it during a run, the end of the run once more).
    void FlushOutput() { m_output.FlushDrawing(); }

    // The widths of the list's texts decide its width; measured at set-up.
    int listWidth() const { return m_listWidth; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    LRESULT OnCtlColor(HDC dc, HWND control) override;

private:
    FW_DECLARE_MESSAGE_MAP(TestPage)
    LRESULT OnRunButton(WPARAM, LPARAM);
    LRESULT OnListChoice(WPARAM, LPARAM);
    LRESULT OnDescriptionMouse(WPARAM, LPARAM);

    void ShowPrompt(UINT stringId);
    void SetPicture();
    void RepaintScrollBars();
    void ShowProgressLine(const std::string& text);

    const TestPageKind m_kind;
    const HWND m_owner;
    const uint32_t m_modeFlags;
    const TestCatalogue& m_catalogue;
    const std::string m_pageText;
    const std::string m_defaultDescription;

    int m_chosen = -1;
    bool m_placeholderRemoved = false;
    int m_buttonState = kButtonRun;
    int m_percent = 0;
    int m_minutesLeft = -1;
    int m_listWidth = 0;

    TestPagePainter m_painter;
    TesselButton m_runButton;
    LogRichEdit m_description;
    LogRichEdit m_output;
    LogRichEdit m_progressText;
    TesselProgressCtrl m_progress;
    TesselComboBox m_list;
    fw::Window m_picture;
    fw::Window m_prompt;
    fw::Window m_spare;
    HBITMAP m_bitmap = nullptr;
    fw::Brush m_pageBrush;
};

} // namespace tavil
