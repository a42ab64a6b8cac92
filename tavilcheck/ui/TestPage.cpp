#include "TestPage.h"

#include <commctrl.h>

#include <cstring>

#include "framework/ResourceSource.h"
#include "resource_ids.h"
#include "sdk/tavil_module.h"
#include "skinlib/TesselMessageBox.h"
#include "tavilcheck/catalogue/ModeFlags.h"
#include "tavilcheck/runner/RunProgress.h"

namespace tavil {

namespace {

std::string Str(UINT id) { return fw::ResourceSource::LoadString(id); }

// The formatting rectangle of a rich-edit view, in its client pixels.
void SetTextArea(LogRichEdit& view, int left, int top, int right, int bottom) {
    RECT area = {left, top, right, bottom};
    view.Send(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&area));
}

constexpr COLORREF kProgressTextBackground = RGB(215, 221, 224);
constexpr int kListDropHeight = 840;

} // namespace

FW_BEGIN_MESSAGE_MAP(TestPage, PageDialog)
    FW_ON_COMMAND(IDC_RUN, OnRunButton)
    FW_ON_CONTROL(CBN_SELCHANGE, IDC_MODULE_LIST, OnListChoice)
    FW_ON_NOTIFY(EN_MSGFILTER, IDC_DESCRIPTION, OnDescriptionMouse)
FW_END_MESSAGE_MAP()

TestPage::TestPage(TestPageKind kind, HWND owner, uint32_t modeFlags, const TestCatalogue& catalogue,
                   std::string pageText, std::string defaultDescription)
    : PageDialog(IDD_TEST_PAGE), m_kind(kind), m_owner(owner), m_modeFlags(modeFlags), m_catalogue(catalogue),
      m_pageText(std::move(pageText)), m_defaultDescription(std::move(defaultDescription)) {
    SetPainter(&m_painter);
}

TestPage::~TestPage() = default;

LRESULT TestPage::OnCtlColor(HDC dc, HWND control) {
    // The prompt line sits on the page's own background.
    if (control != m_prompt.hwnd() || !control)
        return PageDialog::OnCtlColor(dc, control);
    if (!m_pageBrush)
        m_pageBrush.reset(::CreateSolidBrush(TestPagePainter::kPageColour));
    ::SetBkColor(dc, TestPagePainter::kPageColour);
    ::SetTextColor(dc, RGB(33, 37, 41));
    return reinterpret_cast<LRESULT>(m_pageBrush.get());
}

void TestPage::DoDataExchange() {
    PageDialog::DoDataExchange();
    BindItem(IDC_RUN, m_runButton);
    BindItem(IDC_DESCRIPTION, m_description);
    BindItem(IDC_OUTPUT, m_output);
    BindItem(IDC_PROGRESS_TEXT, m_progressText);
    BindItem(IDC_PROGRESS, m_progress);
    BindItem(IDC_MODULE_LIST, m_list);
    BindItem(IDC_PICTURE, m_picture);
    BindItem(IDC_PROMPT, m_prompt);
    BindItem(IDC_PAGE_SPARE, m_spare);
}

BOOL TestPage::OnInitDialog() {
    PageDialog::OnInitDialog();

    m_runButton.Move(442, 330, 178, 22);
    SetRunButtonState(kButtonRun);
    m_picture.Move(12, 32, 223, 284);
    m_prompt.Move(12, 3, 600, 23);
    m_prompt.Show(false);
    m_spare.Show(false);

    m_description.Move(235, 32, 385, 284);
    SetTextArea(m_description, 13, 0, 365, 284);
    m_description.Send(EM_SETEVENTMASK, 0, ENM_MOUSEEVENTS);

    m_output.Move(12, 32, 608, 264);
    m_output.Send(EM_EXLIMITTEXT, 0, 0x7FFFFFFF); // a long run writes megabytes
    m_output.DisableUndo();
    // Putting text into Wine's rich edit costs more the more it holds
    // (a 256 KB put: 124 ms into an empty view, 238 ms at 10 MB); 4 MB
    // (some 65,000 lines) keeps a long run's output live.  The run log
    // keeps everything.
    m_output.SetTextLimit(4L * 1024 * 1024);
    m_output.UseFixedPitchFont(11);
    SetTextArea(m_output, 10, 0, 600, 284);
    m_output.Send(EM_SETEVENTMASK, 0, ENM_MOUSEEVENTS);
    m_output.Clear();
    m_output.Show(false);

    m_progress.Move(12, 297, 608, 20);
    m_progress.SetRange(0, 100);
    m_progress.Show(false);

    m_progressText.Move(10, 330, 250, 22);
    m_progressText.SetBackground(kProgressTextBackground);
    RECT client = m_progressText.ClientRect();
    SetTextArea(m_progressText, client.left + 5, client.top + 2, client.right, client.bottom);
    m_progressText.Show(false);

    if (m_kind == kBatchPage) {
        if (!(m_modeFlags & FLAG_RECOVERY))
            ShowPrompt((m_modeFlags & FLAG_FULLTEST) ? IDS_PROMPT_FULL_TEST : IDS_PROMPT_QUICK_TEST);
        m_list.Show(false);
        SetDescription(m_pageText);
    } else {
        m_list.AddString(Str(IDS_SELECT_TEST));
        for (int slot = 0; slot < m_catalogue.moduleCount && slot < kMaxModules; ++slot)
            m_list.AddString(m_catalogue.modules[slot].testName);
        m_list.SetCurSel(0);
        // As wide as the widest item, plus the drop-down arrow.
        fw::WindowDC listDC(m_list.hwnd());
        HDC dc = listDC.get();
        fw::ScopedSelect fontSelected(dc, reinterpret_cast<HFONT>(m_list.Send(WM_GETFONT)));
        int widest = 0;
        for (int i = 0; i < m_list.GetCount(); ++i) {
            std::string text = m_list.GetItemText(i);
            SIZE extent{};
            ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
            widest = extent.cx > widest ? extent.cx : widest;
        }
        m_listWidth = widest + ::GetSystemMetrics(SM_CXVSCROLL) + 12;
        m_list.Move(12, 3, m_listWidth, kListDropHeight);
        m_list.Show(true);
        SetDescription(m_defaultDescription);
    }
    SetPicture();
    return TRUE;
}

void TestPage::SetPicture() {
    // The pictures come from the program file itself, never from a
    // resource library; under another file name there is none.
    HMODULE program = ::GetModuleHandleA("tavilcheck.exe");
    if (!program)
        return;
    UINT id = m_kind == kBatchPage ? IDB_BATCH_PICTURE : IDB_INDIVIDUAL_TEST_PICTURE;
    m_bitmap = static_cast<HBITMAP>(::LoadImageA(program, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_SHARED));
    if (m_bitmap)
        m_picture.Send(STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(m_bitmap));
}

void TestPage::ShowPrompt(UINT stringId) {
    m_prompt.SetText(Str(stringId));
    m_prompt.Show(true);
}

void TestPage::RepaintScrollBars() {
    m_description.Invalidate(false);
    m_output.Invalidate(false);
}

void TestPage::SetDescription(const std::string& rtf) {
    m_description.StreamIn(rtf, false);
    RepaintScrollBars();
}

void TestPage::SetRunButtonState(int state) {
    switch (state) {
    case kButtonRun:
        m_runButton.SetText(Str(IDS_RUN_TEST));
        m_buttonState = kButtonRun;
        break;
    case kButtonStop:
        m_runButton.SetText(Str(IDS_STOP));
        m_buttonState = kButtonStop;
        break;
    case kButtonDisabled:
        m_runButton.Enable(false);
        return;
    case kButtonBack:
        FlushOutput();
        m_runButton.Enable(true);
        m_runButton.SetText(Str(IDS_BACK));
        m_buttonState = kButtonBack;
        ShowPrompt(IDS_PROMPT_BACK);
        return;
    default:
        return;
    }
    m_runButton.Enable(true);
}

void TestPage::EnableRunButton(bool enabled) { m_runButton.Enable(enabled); }

void TestPage::ResetPage() {
    m_description.Move(235, 32, 385, 284);
    m_description.Show(true);
    m_output.Show(false);
    m_progress.Show(false);
    m_progressText.Clear();
    m_progressText.Show(false);
    m_picture.Move(12, 32, 235, 284);
    if (m_kind == kBatchPage) {
        SetDescription(m_pageText);
        if (m_modeFlags & FLAG_RECOVERY)
            m_prompt.Show(false);
        else
            ShowPrompt((m_modeFlags & FLAG_FULLTEST) ? IDS_PROMPT_FULL_TEST : IDS_PROMPT_QUICK_TEST);
    } else {
        if (m_chosen < 0) {
            m_description.Clear();
            SetDescription(m_defaultDescription);
        } else {
            SetDescription(m_catalogue.modules[m_chosen].description);
        }
        m_prompt.Show(false);
        m_list.Show(true);
    }
    m_picture.Show(true);
    SetRunButtonState(kButtonRun);
    RepaintScrollBars();
}

// Called when the user picks an item of the Individual Test list.
LRESULT TestPage::OnListChoice(WPARAM, LPARAM) {
    int picked = m_list.GetCurSel();
    if (picked < 0)
        return 0;
    if (!m_placeholderRemoved) {
        if (picked == 0)
            return 0;
        m_list.DeleteString(0);
        m_placeholderRemoved = true;
        --picked;
        m_list.SetCurSel(picked);
    }
    if (picked >= kMaxModules)
        return 0;
    m_chosen = picked;
    SetDescription(m_catalogue.modules[picked].description);
    ::SendMessageA(m_owner, TM_SELECT_MODULE, 0, picked);
    RepaintScrollBars();
    return 0;
}

void TestPage::SelectModule(int slot) {
    if (slot < 0 || slot >= kMaxModules)
        return;
    if (!m_placeholderRemoved) {
        m_list.DeleteString(0);
        m_placeholderRemoved = true;
    }
    m_list.SetCurSel(slot);
    m_chosen = slot;
}

// Called when the run button is pressed: Run Test, Stop or Back.
LRESULT TestPage::OnRunButton(WPARAM, LPARAM) {
    switch (m_buttonState) {
    case kButtonRun:
        SetPercent(0);
        m_minutesLeft = -1;
        if (ShowRunningView())
            ::SendMessageA(m_owner, TM_START_RUN, 0, m_chosen);
        break;
    case kButtonStop:
        ::SendMessageA(m_owner, TM_STOP, 0, 0);
        break;
    case kButtonBack:
        ShowStartView();
        ::SendMessageA(m_owner, TM_BACK, 0, 0);
        break;
    }
    return 0;
}

bool TestPage::ShowRunningView() {
    if (m_kind == kIndividualTestPage && m_chosen < 0) {
        TesselMessageBox(Str(IDS_SELECT_TEST).c_str(), Str(IDS_WARNING).c_str(), MB_ICONINFORMATION | MB_OK, m_hwnd);
        return false;
    }
    m_picture.Show(false);
    m_description.Show(false);
    m_output.Clear();
    m_output.Show(true);
    if (m_modeFlags & FLAG_SERVICE)
        m_output.SetBackground(RGB(255, 255, 255));
    m_progress.Show(true);
    m_progressText.Show(true);
    m_list.Show(false);
    ShowPrompt(IDS_PROMPT_STOP);
    return true;
}

void TestPage::ShowStartView() {
    FlushOutput();
    m_prompt.Show(false);
    if (m_kind == kIndividualTestPage)
        m_list.Show(true);
    m_description.Show(true);
    m_picture.Show(true);
    m_progress.Show(false);
    SetPercent(0);
    m_minutesLeft = -1;
    m_progressText.Show(false);
}

void TestPage::AppendScreenText(const std::string& text) { m_output.AppendAndScroll(text); }

void TestPage::ClearOutput() { m_output.Clear(); }

void TestPage::AppendOutputText(const std::string& text, COLORREF colour) { m_output.AppendText(text, colour, true); }

void TestPage::SetOutputBackground(COLORREF colour) { m_output.SetBackground(colour); }

void TestPage::ShowProgressLine(const std::string& text) { m_progressText.SetText(text); }

void TestPage::SetPercent(int percent) {
    if (percent < 0)
        percent = 0;
    if (percent > 100)
        percent = 100;
    m_progress.SetPos(percent);
    m_percent = percent;
    ShowProgressLine(ProgressText(percent, m_minutesLeft, Str(IDS_PERCENT_FINISHED), Str(IDS_MINUTES_REMAINING)));
}

void TestPage::SetMinutesLeft(int minutes) {
    m_minutesLeft = minutes;
    std::string text = MinutesLeftText(m_percent, minutes, Str(IDS_PERCENT_FINISHED), Str(IDS_MINUTES_REMAINING));
    if (!text.empty())
        ShowProgressLine(text);
}

void TestPage::AnimateProgress() {
    m_output.FlushDrawingIfDue();
    m_progress.Animation();
    m_progress.Invalidate(false);
}

// The description view's mouse events: a right click opens the Copy menu.
LRESULT TestPage::OnDescriptionMouse(WPARAM, LPARAM lParam) {
    m_description.OfferCopyMenu(*reinterpret_cast<const MSGFILTER*>(lParam), m_hwnd);
    return 0;
}

} // namespace tavil
