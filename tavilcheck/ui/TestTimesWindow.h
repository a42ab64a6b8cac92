// The Test Times dialog of a service-mode batch run: one row per batch
// entry with a check box, its name and how many times it runs (an edit
// over the cell takes a new count).  The run worker asks for it through
// the main window (`WindowTestTimes`), which shows it on the interface
// thread.
#pragma once

#include <string>
#include <vector>

#include "framework/Gdi.h"
#include "framework/Window.h"
#include "skinlib/TesselDialog.h"
#include "skinlib/TesselListCtrl.h"
#include "tavilcheck/runner/TestTimes.h"

namespace tavil {

// Sent by the worker to the main window: lParam a TestTimesQuestion*;
// the result is IDOK or IDCANCEL.
constexpr UINT WM_ASK_TEST_TIMES = WM_APP + 41;

struct TestTimesQuestion {
    const std::vector<std::string>* names;
    std::vector<int>* counts;
};

// The worker's side: asks the main window, which shows the dialog.
class WindowTestTimes final : public TestTimesDialog {
public:
    void SetWindow(HWND window) { m_window = window; }
    bool Ask(const std::vector<std::string>& names, std::vector<int>& counts) override;

private:
    HWND m_window = nullptr;
};

// The count of a Test Times cell: the decimal number its first 9
// characters start with, 0 when they start with none.
int TestTimesCount(const std::string& cell);

class TestTimesWindow : public TesselDialog {
public:
    TestTimesWindow(HWND owner, std::vector<std::string> names);
    // After OK: the names taken back (19 characters at most) and the
    // counts (0 for an unchecked row).
    std::vector<std::string> names;
    std::vector<int> counts;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    void OnOK() override;

private:
    FW_DECLARE_MESSAGE_MAP(TestTimesWindow)
    LRESULT OnListClick(WPARAM, LPARAM);
    // The edit over a Test Times cell: its text into the cell, then hidden.
    void CloseCellEdit();

    TesselListCtrl m_list;
    fw::OwnedWindow m_cellEdit;
    int m_editedRow = -1;
};

} // namespace tavil
