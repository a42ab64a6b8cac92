// The Performance dialog: two radio buttons for the two modes, two
// explanatory texts, and the button row.  A new mode is stored in the
// firmware and Windows restarted so that it takes effect.
#pragma once

#include <memory>

#include "CStaticEdit.h"
#include "CTavInterfaceDialog.h"
#include "PerformanceSetting.h"
#include "framework/MessageMap.h"
#include "skinlib/TesselButton.h"

namespace perfmode {

class MachineUtility;
class WindowsRestart;

class CTavPerformanceDlg : public CTavInterfaceDialog {
public:
    // `utility` and `restart` outlive the dialog.
    CTavPerformanceDlg(MachineUtility& utility, WindowsRestart& restart, HelpFile& help);

    // An administrator gets a fresh PerformanceSetting.
    bool CanRun() override;

    // Stores a changed selection after asking (string 6069) and restarts
    // Windows; true when the dialog may close.
    bool ApplyChange();

    const PerformanceSetting* setting() const { return m_setting.get(); }

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    void OnOK() override;

private:
    FW_DECLARE_MESSAGE_MAP(CTavPerformanceDlg)
    LRESULT OnModeClicked(WPARAM, LPARAM);
    LRESULT OnApply(WPARAM, LPARAM);
    LRESULT OnDefault(WPARAM, LPARAM);

    // Checks the radio button of the selected mode.
    void ShowSelectedMode();

    MachineUtility& m_utility;
    WindowsRestart& m_restart;
    TesselRadioButton m_powerSaving, m_performance;
    CStaticEdit m_introduction, m_note;
    std::unique_ptr<PerformanceSetting> m_setting;
};

} // namespace perfmode
