// Check Hard Disk: the fixed volumes with check boxes (one ticked at a
// time), the fix and recover options, and the system's disk checker run
// on its own thread with live progress and its output, rewritten, in the
// output pane.  While a check runs the dialog cannot be closed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CheckDiskText.h"
#include "DiskChecker.h"
#include "skinlib/TesselButton.h"
#include "skinlib/TesselDialog.h"
#include "skinlib/TesselListCtrl.h"
#include "skinlib/TesselProgressCtrl.h"
#include "skinlib/TesselScrollBarPaintHook.h"
#include "tavilcheck/ui/LogRichEdit.h"

namespace tavil {

class CheckDiskDialog : public TesselDialog {
public:
    explicit CheckDiskDialog(HWND parent);
    ~CheckDiskDialog() override;
    // Set by the opener before DoModal.
    uint32_t modeFlags = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange() override;
    void OnOK() override {}   // Enter starts nothing by itself
    void OnCancel() override; // Esc and the frame's close

private:
    FW_DECLARE_MESSAGE_MAP(CheckDiskDialog)
    LRESULT OnStart(WPARAM, LPARAM);
    LRESULT OnCancelButton(WPARAM, LPARAM);
    LRESULT OnVolumeChanged(WPARAM, LPARAM);
    LRESULT OnProgress(WPARAM, LPARAM);
    LRESULT OnText(WPARAM, LPARAM);
    LRESULT OnAsk(WPARAM, LPARAM);
    LRESULT OnTimer(WPARAM, LPARAM);

    void LayOut();
    void FillVolumes();
    bool Checking() const { return m_checker != nullptr; }

    fw::Window m_label, m_options;
    TesselListCtrl m_volumes;
    TesselCheckBox m_fix, m_recover;
    TesselProgressCtrl m_progress;
    LogRichEdit m_output;
    TesselScrollBarPaintHook m_outputScrollBars;
    TesselButton m_start, m_cancel;
    CheckerWords m_words;
    std::vector<std::string> m_volumeNames; // the volume table, list order
    std::unique_ptr<DiskCheckerThread> m_checker;
};

} // namespace tavil
