#include "WelcomeDialog.h"

#include "resource_ids.h"

namespace tavil {

namespace {
constexpr int kWidth = 640, kHeight = 480;
constexpr COLORREF kIntroductionBackground = RGB(0xD7, 0xDD, 0xE0);
constexpr WPARAM kIgnoredSystemCommand = 0x10;
} // namespace

FW_BEGIN_MESSAGE_MAP(WelcomeDialog, TesselDialog)
    FW_ON_MESSAGE(WM_AGREEMENT_READ, OnAgreementRead)
    FW_ON_COMMAND(IDC_AGREE, OnAgree)
    FW_ON_COMMAND(IDC_DISAGREE, OnDisagree)
    FW_ON_MESSAGE(WM_SYSCOMMAND, OnSystemCommand)
FW_END_MESSAGE_MAP()

WelcomeDialog::WelcomeDialog(std::string introduction, std::string agreement)
    : TesselDialog(IDD_WELCOME), m_introduction(std::move(introduction)), m_agreement(std::move(agreement)) {}

void WelcomeDialog::DoDataExchange() {
    TesselDialog::DoDataExchange();
    BindItem(IDC_INTRODUCTION_TEXT, m_introductionText);
    BindItem(IDC_AGREEMENT_TEXT, m_agreementText);
    BindItem(IDC_AGREE, m_agree);
    BindItem(IDC_DISAGREE, m_disagree);
}

BOOL WelcomeDialog::OnInitDialog() {
    TesselDialog::OnInitDialog();
    SetText("Welcome");
    SizeAndCentre(kWidth, kHeight);
    m_introductionText.Move(30, 10, 270, 400);
    m_introductionText.SetBackground(kIntroductionBackground);
    m_agreementText.Move(310, 10, 313, 390);
    RECT margins = {10, 0, 300, 390};
    m_agreementText.Send(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&margins));
    m_agreementText.Send(EM_HIDESELECTION, TRUE, 0);
    m_disagree.Move(310, 414, 146, 22);
    m_agree.Move(476, 414, 146, 22);
    m_agree.Enable(false);
    m_introductionText.StreamIn(m_introduction, false);
    m_agreementText.StreamIn(m_agreement, false);
    m_scrollBars.HookWindow(m_agreementText.hwnd());
    m_agreementText.notifyWindow = m_hwnd;
    m_agreementText.notifyAtEnd = true;
    // A text that fits needs no scrolling: it has been read as it stands.
    if (m_agreementText.ScrolledToEnd())
        m_agree.Enable(true);
    ::SetFocus(m_disagree.hwnd());
    return FALSE;
}

LRESULT WelcomeDialog::OnAgreementRead(WPARAM, LPARAM) {
    m_agree.Enable(true);
    return 0;
}

LRESULT WelcomeDialog::OnAgree(WPARAM, LPARAM) {
    EndDialog(IDOK);
    return 0;
}

LRESULT WelcomeDialog::OnDisagree(WPARAM, LPARAM) {
    EndDialog(IDCANCEL);
    return 0;
}

// The system menu: Close is Disagree (through the default handling and
// OnCancel); command 0x10 is ignored.
LRESULT WelcomeDialog::OnSystemCommand(WPARAM command, LPARAM) {
    if ((command & 0xFFF0) == kIgnoredSystemCommand)
        return 0;
    return Default();
}

} // namespace tavil
