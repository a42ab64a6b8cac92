#include "ServiceOptions.h"

#include <commctrl.h>

#include "framework/TextUtil.h"
#include "skinlib/TesselMessageBox.h"

namespace tavil {

namespace {
constexpr UINT kBeepPeriodMs = 1000;
constexpr DWORD kBeepHertz = 900, kBeepMilliseconds = 400;

bool Ticked(const fw::Window& box) { return box.Send(BM_GETCHECK) == BST_CHECKED; }
void Tick(fw::Window& box, bool ticked) { box.Send(BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED); }
} // namespace

HWND ServiceOptions::Make(const char* className, const char* text, DWORD style, DWORD exStyle, int id, RECT place) {
    HWND control =
        ::CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                          place.right - place.left, place.bottom - place.top, m_window,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleA(nullptr), nullptr);
    if (control && m_font)
        ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
    return control;
}

void ServiceOptions::Create(HWND window, const TestCatalogue& catalogue, bool logEnabled, Beeper& beeper) {
    m_window = window;
    m_catalogue = &catalogue;
    m_beeper = &beeper;
    // A fixed-pitch variant of the window's font.
    LOGFONTA font{};
    HFONT dialogFont = reinterpret_cast<HFONT>(::SendMessageA(window, WM_GETFONT, 0, 0));
    if (!dialogFont || !::GetObjectA(dialogFont, sizeof font, &font))
        font.lfHeight = -11;
    font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynA(font.lfFaceName, "Courier New", LF_FACESIZE);
    m_font.reset(::CreateFontIndirectA(&font));

    // Transparent: the window's white band shows through the group box.
    m_group.Attach(Make("BUTTON", "Loop", BS_GROUPBOX, WS_EX_TRANSPARENT, IDC_LOOP_GROUP, {331, 407, 405, 450}));
    m_edit.Attach(Make("EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, IDC_LOOP_EDIT, {338, 425, 383, 445}));
    m_spin.Attach(Make(UPDOWN_CLASSA, "", UDS_SETBUDDYINT | UDS_ARROWKEYS | UDS_WRAP | UDS_NOTHOUSANDS, 0,
                       IDC_LOOP_SPIN, {383, 425, 398, 445}));
    m_spin.Send(UDM_SETBUDDY, reinterpret_cast<WPARAM>(m_edit.hwnd()));
    m_spin.Send(UDM_SETRANGE32, 1, catalogue.maxRepeatTimes > 0 ? catalogue.maxRepeatTimes : kDefaultMaxRepeatTimes);
    m_withoutLogs.Attach(
        Make("BUTTON", "Test Without Logs", BS_AUTOCHECKBOX | WS_TABSTOP, 0, IDC_WITHOUT_LOGS, {190, 400, 326, 420}));
    m_stopWhenError.Attach(
        Make("BUTTON", "Stop When Error", BS_AUTOCHECKBOX | WS_TABSTOP, 0, IDC_STOP_WHEN_ERROR, {190, 420, 326, 440}));
    m_beepWhenError.Attach(
        Make("BUTTON", "Beep When Error", BS_AUTOCHECKBOX | WS_TABSTOP, 0, IDC_BEEP_WHEN_ERROR, {190, 440, 326, 460}));
    SetLoopText(catalogue.quickRepeatEnableText);
    SetWithoutLogs(!logEnabled);
    Tick(m_stopWhenError, true);
    Tick(m_beepWhenError, false);
}

bool ServiceOptions::IsOption(HWND control) {
    const int id = ::GetDlgCtrlID(control);
    return id >= IDC_LOOP_EDIT && id <= IDC_LOOP_GROUP;
}

void ServiceOptions::SetLoopText(const std::string& text) {
    m_edit.SetText(text);
    LoopValue(); // the spin takes a valid number as its position
}

void ServiceOptions::EnableLoop(bool enabled) {
    m_edit.Enable(enabled);
    m_spin.Enable(enabled);
    m_group.Enable(enabled);
}

void ServiceOptions::ShowForPage(int page, int selectedModule) {
    if (!Created())
        return;
    const bool shown = page == 0 || page == 1;
    for (fw::Window* control : {&m_edit, &m_spin, &m_group, &m_withoutLogs, &m_stopWhenError, &m_beepWhenError})
        control->Show(shown);
    if (page == 0) {
        SetLoopText(m_catalogue->quickRepeatEnableText);
        EnableLoop(true);
    } else if (page == 1) {
        if (selectedModule < 0 || selectedModule >= kMaxModules) {
            m_edit.SetText("0");
            EnableLoop(false);
        } else {
            ModuleChosen(m_catalogue->modules[selectedModule]);
        }
    }
}

void ServiceOptions::ModuleChosen(const TestModule& module) {
    if (!Created())
        return;
    if (module.repeatEnable <= 0) {
        EnableLoop(false);
        SetLoopText("1");
    } else {
        EnableLoop(true);
        SetLoopText(module.repeatEnableText);
    }
}

int ServiceOptions::LoopValue() {
    int lower = 1, upper = 1;
    m_spin.Send(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    // The box's text decides (the spin writes its number there); a text
    // that is no number in the range leaves the last valid value.
    const std::string text = fw::Trim(m_edit.GetText());
    const bool number = !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
    const int typed = number ? fw::LeadingDecimal(text) : 0;
    if (number && typed >= lower && typed <= upper) {
        m_lastLoopValue = typed;
        m_spin.Send(UDM_SETPOS32, 0, typed);
    }
    return m_lastLoopValue;
}

void ServiceOptions::SetLoopValue(int value) {
    if (!Created())
        return;
    m_spin.Send(UDM_SETPOS32, 0, value);
    m_edit.SetText(std::to_string(value));
    LoopValue();
}

bool ServiceOptions::StopWhenError() const { return Ticked(m_stopWhenError); }
bool ServiceOptions::WithoutLogs() const { return Ticked(m_withoutLogs); }
void ServiceOptions::SetWithoutLogs(bool checked) { Tick(m_withoutLogs, checked); }

void ServiceOptions::BeepBoxClicked() {
    if (Ticked(m_beepWhenError)) {
        TesselMessageBox("Please make sure that the PC Beep is NOT in mute mode, and the volume is large enough to be "
                         "heard!",
                         "Beep when error", MB_ICONINFORMATION | MB_OK, m_window);
    } else {
        StopBeep();
    }
}

void ServiceOptions::ErrorShown() {
    if (!Created() || m_beeping || !Ticked(m_beepWhenError))
        return;
    m_beeping = ::SetTimer(m_window, kBeepTimer, kBeepPeriodMs, nullptr) != 0;
}

void ServiceOptions::StopBeep() {
    if (m_beeping)
        ::KillTimer(m_window, kBeepTimer);
    m_beeping = false;
}

void ServiceOptions::OnBeepTimer() {
    if (m_beeping && m_beeper)
        m_beeper->Sound(kBeepHertz, kBeepMilliseconds);
}

} // namespace tavil
