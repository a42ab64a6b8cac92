#include "CheckDiskDialog.h"

#include <commctrl.h>

#include <cstring>

#include "CheckDiskText.h"
#include "framework/ResourceSource.h"
#include "resource_ids.h"
#include "skinlib/TesselMessageBox.h"
#include "tavilcheck/catalogue/ModeFlags.h"

namespace tavil {

namespace {

const char kCaption[] = "Check Hard Disk";
const char kFixText[] = "Fixes errors on the disk.";
const char kRecoverText[] = "Locates bad sectors and recovers readable information.";
const char kSelectVolume[] = "Please select the volume";
constexpr UINT_PTR kWatchTimer = 1000, kAnimationTimer = 1001;
constexpr UINT kWatchPeriodMs = 100, kAnimationPeriodMs = 66;

} // namespace

FW_BEGIN_MESSAGE_MAP(CheckDiskDialog, TesselDialog)
    FW_ON_COMMAND(IDC_CHECK_START, OnStart)
    FW_ON_COMMAND(IDC_CHECK_CANCEL, OnCancelButton)
    FW_ON_NOTIFY(LVN_ITEMCHANGED, IDC_VOLUME_LIST, OnVolumeChanged)
    FW_ON_MESSAGE(WM_CHECKDISK_PROGRESS, OnProgress)
    FW_ON_MESSAGE(WM_CHECKDISK_TEXT, OnText)
    FW_ON_MESSAGE(WM_CHECKDISK_ASK, OnAsk)
    FW_ON_MESSAGE(WM_TIMER, OnTimer)
FW_END_MESSAGE_MAP()

CheckDiskDialog::CheckDiskDialog(HWND parent) : TesselDialog(IDD_CHECK_DISK, parent) {}

CheckDiskDialog::~CheckDiskDialog() {
    // The dialog cannot close while a check runs; should the program end
    // with one running, the thread is waited for before its object goes.
    if (m_checker)
        m_checker->Wait(INFINITE);
}

void CheckDiskDialog::DoDataExchange() {
    TesselDialog::DoDataExchange();
    BindItem(IDC_VOLUME_LABEL, m_label);
    BindItem(IDC_CHECK_OPTIONS, m_options);
    BindItem(IDC_VOLUME_LIST, m_volumes);
    BindItem(IDC_FIX_OPTION, m_fix);
    BindItem(IDC_RECOVER_OPTION, m_recover);
    BindItem(IDC_CHECK_PROGRESS, m_progress);
    BindItem(IDC_CHECK_OUTPUT, m_output);
    BindItem(IDC_CHECK_START, m_start);
    BindItem(IDC_CHECK_CANCEL, m_cancel);
}

BOOL CheckDiskDialog::OnInitDialog() {
    TesselDialog::OnInitDialog();
    m_words = {kCaption, kFixText, kRecoverText, fw::ResourceSource::LoadString(IDS_VOLUME_PATTERN),
               fw::ResourceSource::LoadString(IDS_VOLUME_WORD)};
    LayOut();
    m_fix.SetChecked(false);
    m_recover.SetChecked(false);
    m_progress.SetRange(0, 100);
    m_output.Send(EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
    m_output.DisableUndo();
    m_output.LoadDefaultFormat();
    m_output.SetTextLimit(4L * 1024 * 1024);
    m_outputScrollBars.HookWindow(m_output.hwnd());
    FillVolumes();
    return TRUE;
}

void CheckDiskDialog::LayOut() {
    SetText(kCaption);
    SizeAndCentre(500, 480);
    m_label.Move(10, 10, 470, 20);
    m_label.SetText(kSelectVolume);
    m_volumes.Move(10, 30, 470, 100);
    m_options.Move(10, 140, 470, 70);
    m_options.SetText("Check Hard Disk Option");
    m_fix.Move(20, 155, 450, 25);
    m_fix.SetText(kFixText);
    m_recover.Move(20, 180, 450, 25);
    m_recover.SetText(kRecoverText);
    m_progress.Move(10, 220, 470, 20);
    m_output.Move(10, 250, 470, 150);
    m_start.Move(45, 415, 190, 22);
    m_start.SetText("Start");
    m_cancel.Move(265, 415, 190, 22);
    m_cancel.SetText("Cancel");
}

void CheckDiskDialog::FillVolumes() {
    m_volumes.DeleteAllItems();
    m_volumeNames.clear();
    m_volumes.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES);
    m_volumes.InsertColumn(0, "Volume", LVCFMT_CENTER, 100);
    char roots[1024] = "";
    DWORD length = ::GetLogicalDriveStringsA(sizeof roots - 1, roots);
    if (length >= sizeof roots - 1)
        length = 0;
    std::vector<DriveRoot> drives;
    for (const char* root = roots; root < roots + length && *root; root += std::strlen(root) + 1)
        drives.push_back({root, ::GetDriveTypeA(root) == DRIVE_FIXED});
    m_volumeNames = ListedVolumes(drives, (modeFlags & FLAG_WINDIR_OTHER) != 0);
    for (size_t row = 0; row < m_volumeNames.size(); ++row)
        m_volumes.InsertItem(static_cast<int>(row), m_volumeNames[row]);
    m_volumes.FitColumn(0);
    if (m_volumeNames.empty())
        TesselMessageBox("Could not query hdd information --- (E-NORMAL-006)", kSelectVolume,
                         MB_OK | MB_ICONEXCLAMATION, m_hwnd);
}

// Called when a volume row changes: a row that becomes ticked clears the
// others, so that at most one volume is ticked however it was ticked.
LRESULT CheckDiskDialog::OnVolumeChanged(WPARAM, LPARAM lParam) {
    const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
    if (!TesselListCtrl::RowBecameChecked(*change))
        return 0;
    const int rows = m_volumes.GetItemCount();
    for (int row = 0; row < rows; ++row)
        if (row != change->iItem && m_volumes.IsRowChecked(row))
            m_volumes.SetRowChecked(row, false);
    return 0;
}

// Called when Start is pressed.
LRESULT CheckDiskDialog::OnStart(WPARAM, LPARAM) {
    if (Checking())
        return 0;
    m_output.Clear();
    const int rows = m_volumes.GetItemCount();
    int chosen = -1;
    for (int row = 0; row < rows && chosen < 0; ++row)
        if (m_volumes.IsRowChecked(row))
            chosen = row;
    if (chosen < 0 || static_cast<size_t>(chosen) >= m_volumeNames.size()) {
        TesselMessageBox(kSelectVolume, kCaption, MB_OK | MB_ICONINFORMATION, m_hwnd);
        return 0;
    }
    m_start.Enable(false);
    m_cancel.Enable(false);
    CheckRequest request;
    request.volumePath = "\\\\.\\" + m_volumeNames[chosen];
    request.fix = m_fix.IsChecked();
    request.recover = m_recover.IsChecked();
    request.modeFlags = modeFlags;
    request.dialog = m_hwnd;
    m_progress.SetPos(0);
    m_checker = std::make_unique<DiskCheckerThread>(request);
    if (!m_checker->Start()) {
        m_checker.reset();
        m_start.Enable(true);
        m_cancel.Enable(true);
        return 0;
    }
    ::SetTimer(m_hwnd, kWatchTimer, kWatchPeriodMs, nullptr);
    ::SetTimer(m_hwnd, kAnimationTimer, kAnimationPeriodMs, nullptr);
    return 0;
}

// Esc and the frame's close: refused while a check runs, whose messages
// would otherwise reach a destroyed dialog.
void CheckDiskDialog::OnCancel() {
    if (!Checking())
        EndDialog(IDCANCEL);
}

LRESULT CheckDiskDialog::OnCancelButton(WPARAM, LPARAM) {
    OnCancel();
    return 0;
}

LRESULT CheckDiskDialog::OnProgress(WPARAM, LPARAM percent) {
    m_progress.SetPos(static_cast<int>(percent));
    return 0;
}

LRESULT CheckDiskDialog::OnText(WPARAM, LPARAM lParam) {
    const char* text = reinterpret_cast<const char*>(lParam);
    if (!text)
        return 0;
    m_output.AppendAndScroll(RewriteCheckerText(text, m_words));
    return 0;
}

LRESULT CheckDiskDialog::OnAsk(WPARAM, LPARAM lParam) {
    const auto* question = reinterpret_cast<const CheckerQuestion*>(lParam);
    return question ? TesselMessageBox(question->text, question->caption, question->type, m_hwnd) : 0;
}

LRESULT CheckDiskDialog::OnTimer(WPARAM timer, LPARAM) {
    if (timer == kWatchTimer) {
        if (!m_checker) {
            ::KillTimer(m_hwnd, kWatchTimer);
        } else if (!m_checker->IsRunning()) {
            m_output.FlushDrawing();
            m_outputScrollBars.PaintScrollBars(true);
            m_start.Enable(true);
            m_cancel.Enable(true);
            m_checker.reset();
        }
    } else if (timer == kAnimationTimer) {
        if (!m_checker) {
            ::KillTimer(m_hwnd, kAnimationTimer);
        } else {
            m_output.FlushDrawingIfDue();
            m_outputScrollBars.PaintScrollBars(false);
            m_progress.Animation();
            m_progress.Invalidate(false);
        }
    }
    return 0;
}

} // namespace tavil
