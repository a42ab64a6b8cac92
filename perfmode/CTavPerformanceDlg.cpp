#include "CTavPerformanceDlg.h"

#include "ShowMessage.h"
#include "UserRights.h"
#include "WindowsRestart.h"
#include "framework/ResourceSource.h"
#include "perfmode_resource_ids.h"

namespace perfmode {

FW_BEGIN_MESSAGE_MAP(CTavPerformanceDlg, CTavInterfaceDialog)
    FW_ON_COMMAND(IDC_MODE_POWER_SAVING, OnModeClicked)
    FW_ON_COMMAND(IDC_MODE_PERFORMANCE, OnModeClicked)
    FW_ON_COMMAND(IDC_PERF_APPLY, OnApply)
    FW_ON_COMMAND(IDC_PERF_DEFAULT, OnDefault)
FW_END_MESSAGE_MAP()

CTavPerformanceDlg::CTavPerformanceDlg(MachineUtility& utility, WindowsRestart& restart, HelpFile& help)
    : CTavInterfaceDialog(IDD_PERFORMANCE, help), m_utility(utility), m_restart(restart) {}

bool CTavPerformanceDlg::CanRun() {
    if (!IsUserAdministrator())
        return false;
    m_setting = std::make_unique<PerformanceSetting>(m_utility);
    return m_setting->IsAvailable();
}

void CTavPerformanceDlg::DoDataExchange() {
    CTavInterfaceDialog::DoDataExchange();
    BindItem(IDC_MODE_POWER_SAVING, m_powerSaving);
    BindItem(IDC_MODE_PERFORMANCE, m_performance);
    BindItem(IDC_PERF_TEXT_TOP, m_introduction);
    BindItem(IDC_PERF_TEXT_BOTTOM, m_note);
}

BOOL CTavPerformanceDlg::OnInitDialog() {
    CTavInterfaceDialog::OnInitDialog();
    m_introduction.SetText(fw::ResourceSource::LoadString(IDS_PERF_INTRODUCTION));
    m_note.SetText(fw::ResourceSource::LoadString(IDS_PERF_NOTE));
    if (!m_setting)
        m_setting = std::make_unique<PerformanceSetting>(m_utility);
    PerformanceSetting& setting = *m_setting;
    setting.Read();
    if (setting.selectedMode != setting.activeMode) {
        // A stored change is waiting for a restart.
        if (ShowMessage(IDS_ASK_WAITING_CHANGE, MB_YESNO) == IDYES) {
            RestartWindows(m_restart);
            EndDialog(IDOK);
            return TRUE;
        }
        setting.selectedMode = setting.activeMode;
        setting.Write(); // withdraws the waiting change
        setting.selectedMode = setting.activeMode;
    }
    ShowSelectedMode();
    return TRUE;
}

void CTavPerformanceDlg::ShowSelectedMode() {
    ::CheckRadioButton(m_hwnd, IDC_MODE_POWER_SAVING, IDC_MODE_PERFORMANCE,
                       IDC_MODE_POWER_SAVING + m_setting->selectedMode);
}

LRESULT CTavPerformanceDlg::OnModeClicked(WPARAM, LPARAM) {
    int mode = m_performance.IsChecked() ? 1 : m_powerSaving.IsChecked() ? 0 : m_setting->selectedMode;
    if (mode != m_setting->selectedMode) {
        m_setting->selectedMode = mode;
        EnableApply(true);
    }
    return 0;
}

LRESULT CTavPerformanceDlg::OnDefault(WPARAM, LPARAM) {
    if (ConfirmDefault() && m_setting->SetDefault()) {
        EnableApply(true);
        ShowSelectedMode();
    }
    return 0;
}

bool CTavPerformanceDlg::ApplyChange() {
    if (!applyEnabled())
        return true;
    PerformanceSetting& setting = *m_setting;
    if (setting.selectedMode == setting.activeMode) {
        EnableApply(false); // nothing to store
        return true;
    }
    if (ShowMessage(IDS_ASK_APPLY, MB_YESNO) == IDYES) {
        setting.Write();
        setting.selectedMode = setting.activeMode;
        RestartWindows(m_restart);
        return true;
    }
    setting.selectedMode = setting.activeMode;
    ShowSelectedMode();
    return false;
}

LRESULT CTavPerformanceDlg::OnApply(WPARAM, LPARAM) {
    ApplyChange();
    return 0;
}

void CTavPerformanceDlg::OnOK() {
    if (ApplyChange())
        EndDialog(IDOK);
}

} // namespace perfmode
