#include "CTavInterfaceDialog.h"

#include <windowsx.h>

#include "ButtonRow.h"
#include "HelpFile.h"
#include "ShowMessage.h"
#include "UserRights.h"
#include "framework/ResourceSource.h"
#include "framework/TextUtil.h"
#include "perfmode_resource_ids.h"

namespace perfmode {
namespace {

struct IdRange {
    int first, last;
};

// Controls (of this and the maker's other dialogs) without a text popup,
// and those without the "What's This?" menu.
const IdRange kNoHelpPopup[] = {{1204, 1204}, {1214, 1214}, {1216, 1218}, {1248, 1254}, {1263, 1264},
                                {1330, 1330}, {1332, 1334}, {1350, 1352}, {1409, 1409}, {1411, 1418},
                                {1434, 1436}, {1446, 1446}, {1450, 1451}, {-1, -1}};
const IdRange kNoContextMenu[] = {{1014, 1014}, {1214, 1214}, {1263, 1264}, {1330, 1330}, {1332, 1334}, {1350, 1352},
                                  {1409, 1409}, {1411, 1418}, {1434, 1436}, {1446, 1446}, {1450, 1451}, {-1, -1}};

template <size_t N> bool InRanges(const IdRange (&ranges)[N], int id) {
    for (const IdRange& range : ranges)
        if (id >= range.first && id <= range.last)
            return true;
    return false;
}

constexpr int kExtraHeight = 56;
constexpr DWORD kHelpContextBase = 0x20000;

bool Contains(const RECT& outer, const RECT& inner) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

} // namespace

CTavInterfaceDialog::CTavInterfaceDialog(UINT templateId, HelpFile& help, HWND parent)
    : TesselDialog2(templateId, parent),
      m_help(help), m_buttons{{IDOK, IDS_BUTTON_OK, 0x50030001, true, {}},
                              {IDCANCEL, IDS_BUTTON_CANCEL, 0x50010000, true, {}},
                              {IDC_PERF_APPLY, IDS_BUTTON_APPLY, 0x58010000, true, {}},
                              {IDC_PERF_DEFAULT, IDS_BUTTON_DEFAULT, 0x50010000, true, {}},
                              {IDC_PERF_HELP, IDS_BUTTON_HELP, 0x50010000, true, {}}},
      m_dialogTemplateId(templateId) {}

bool CTavInterfaceDialog::CanRun() { return IsUserAdministrator(); }

bool CTavInterfaceDialog::ConfirmDefault() {
    return ShowMessage(IDS_ASK_DEFAULT, MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) == IDOK;
}

void CTavInterfaceDialog::EnableApply(bool enable) {
    HWND apply = Item(IDC_PERF_APPLY);
    if (apply && ::GetFocus() == apply)
        Send(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDOK)), TRUE);
    if (apply)
        ::EnableWindow(apply, enable);
    m_applyEnabled = enable;
}

bool CTavInterfaceDialog::HasHelpPopup(int id) const { return !InRanges(kNoHelpPopup, id); }

bool CTavInterfaceDialog::HasContextMenu(int id) const { return !InRanges(kNoContextMenu, id); }

BOOL CTavInterfaceDialog::OnInitDialog() {
    AbstractDialog::OnInitDialog();
    BuildButtonRow();
    return TRUE;
}

void CTavInterfaceDialog::BuildButtonRow() {
    HMODULE resources = fw::ResourceSource::IconModule(IDI_PERFORMANCE);
    m_largeIcon.reset(
        static_cast<HICON>(::LoadImageA(resources, MAKEINTRESOURCEA(IDI_PERFORMANCE), IMAGE_ICON, 32, 32, 0)));
    m_smallIcon.reset(
        static_cast<HICON>(::LoadImageA(resources, MAKEINTRESOURCEA(IDI_PERFORMANCE), IMAGE_ICON, 16, 16, 0)));
    Send(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_largeIcon.get()));
    Send(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.get()));

    if (m_buttons[4].shown) {
        LONG exStyle = ::GetWindowLongA(m_hwnd, GWL_EXSTYLE);
        ::SetWindowLongA(m_hwnd, GWL_EXSTYLE, exStyle | WS_EX_CONTEXTHELP);
    }
    m_shownButtons = 0;
    for (const RowButton& button : m_buttons)
        m_shownButtons += button.shown ? 1 : 0;

    RECT client = ClientRect();
    m_buttonWidth = FittedButtonWidth(client.right, m_shownButtons, m_buttonWidth);

    RECT frame;
    ::GetWindowRect(m_hwnd, &frame);
    ::SetWindowPos(m_hwnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + kExtraHeight,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    client = ClientRect();

    std::vector<ButtonPlace> places = ButtonRowPlaces(client.right, client.bottom, m_shownButtons, m_buttonWidth);
    HFONT font = reinterpret_cast<HFONT>(Send(WM_GETFONT));
    size_t place = 0;
    for (RowButton& button : m_buttons) {
        if (!button.shown)
            continue;
        const ButtonPlace& at = places[place++];
        std::string text = fw::ResourceSource::LoadString(button.textId);
        HWND made = ::CreateWindowExA(
            0, "BUTTON", text.c_str(), button.style, at.left, at.top, at.right - at.left, at.bottom - at.top, m_hwnd,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.id)), ::GetModuleHandleA(nullptr), nullptr);
        if (!made)
            continue;
        ::SendMessageA(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        button.control.Attach(made);
    }
    m_applyEnabled = false;
}

bool CTavInterfaceDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_PERF_HELP) {
            m_help.WinHelp(m_hwnd, kHelpContextBase + m_dialogTemplateId, HELP_CONTEXT);
            result = 0;
            return true;
        }
        if (HIWORD(wParam) == 0 && LOWORD(wParam) == IDM_WHATS_THIS) {
            if (HasHelpPopup(m_helpInfo.iCtrlId))
                ShowPopup(m_helpInfo.iCtrlId, m_helpInfo.MousePos);
            result = 0;
            return true;
        }
        break;
    case WM_HELP: {
        const HELPINFO* info = reinterpret_cast<const HELPINFO*>(lParam);
        if (info && info->iContextType == HELPINFO_WINDOW && HasHelpPopup(info->iCtrlId))
            ShowPopup(info->iCtrlId, info->MousePos);
        result = TRUE;
        return true;
    }
    case WM_CONTEXTMENU:
        if (OnContextMenu(reinterpret_cast<HWND>(wParam), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, result))
            return true;
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == 0x20) {
            m_help.WinHelp(m_hwnd, 0, HELP_FINDER);
            result = 0;
            return true;
        }
        break;
    default:
        break;
    }
    return AbstractDialog::OnMessage(message, wParam, lParam, result);
}

bool CTavInterfaceDialog::OnContextMenu(HWND clicked, POINT where, LRESULT& result) {
    if (!clicked)
        return false;
    // The innermost visible, non-label child under the point, walking the
    // clicked window's children in Z order.
    HWND candidate = clicked;
    RECT bounds;
    ::GetClientRect(clicked, &bounds);
    ::MapWindowPoints(clicked, nullptr, reinterpret_cast<POINT*>(&bounds), 2);
    for (HWND child = ::GetWindow(clicked, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        ::GetWindowRect(child, &rect);
        char className[16] = "";
        ::GetClassNameA(child, className, sizeof className);
        if (::PtInRect(&rect, where) && Contains(bounds, rect) && ::GetDlgCtrlID(child) != 0xFFFF &&
            ::IsWindowVisible(child) && lstrcmpiA(className, "Static") != 0) {
            candidate = child;
            bounds = rect;
        }
    }
    int id = candidate == m_hwnd ? 0 : ::GetDlgCtrlID(candidate);
    m_helpInfo = HELPINFO{};
    m_helpInfo.cbSize = sizeof m_helpInfo;
    m_helpInfo.iContextType = HELPINFO_WINDOW;
    m_helpInfo.iCtrlId = id;
    m_helpInfo.hItemHandle = candidate;
    m_helpInfo.dwContextId = 0;
    m_helpInfo.MousePos = where;
    result = 0;
    if (!HasContextMenu(id))
        return true;
    if (id == 0)
        return false; // default window processing
    fw::Menu menu(::LoadMenuA(fw::ResourceSource::MenuModule(IDM_CONTEXT_HELP), MAKEINTRESOURCEA(IDM_CONTEXT_HELP)));
    HMENU popup = menu ? ::GetSubMenu(menu.get(), 1) : nullptr;
    if (popup)
        ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_RIGHTBUTTON, where.x, where.y, 0, m_hwnd, nullptr);
    return true;
}

void CTavInterfaceDialog::ShowPopup(int id, POINT where) {
    std::string target = fw::FormatText(fw::ResourceSource::LoadString(IDS_POPUP_TARGET), m_help.path());
    m_help.ShowPopup(m_hwnd, target, static_cast<UINT>(id) | 0x10000, where);
}

void CTavInterfaceDialog::OnHandlerFailure(std::exception_ptr failure) noexcept {
    if (!m_failure)
        m_failure = failure;
    EndDialog(-1);
}

} // namespace perfmode
