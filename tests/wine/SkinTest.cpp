// The skinned-control library under Wine: message boxes, painters called
// through their virtual operations, owner-drawn buttons.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <string>
#include <thread>
#include <vector>

#include "TestDialogs.h"
#include "resource_ids.h"
#include "skinlib/TesselAPI.h"
#include "skinlib/TesselButton.h"
#include "skinlib/TesselDialog.h"
#include "skinlib/TesselMessageBox.h"
#include "skinlib/TesselTabCtrl.h"

namespace {

struct SeenBox {
    std::string className, caption, text;
};

// Waits on another thread for this process's message box, records what it
// shows and presses `button`.
std::thread AnswerMessageBox(int button, SeenBox& seen) {
    DWORD pid = ::GetCurrentProcessId();
    return std::thread([=, &seen] {
        for (int i = 0; i < 500; ++i) {
            HWND box = nullptr;
            while ((box = ::FindWindowExA(nullptr, box, "#32770", nullptr))) {
                DWORD owner = 0;
                ::GetWindowThreadProcessId(box, &owner);
                HWND text = ::GetDlgItem(box, 0xFFFF);
                if (owner != pid || !text)
                    continue;
                char buffer[512] = "";
                ::GetClassNameA(box, buffer, sizeof buffer);
                seen.className = buffer;
                ::GetWindowTextA(box, buffer, sizeof buffer);
                seen.caption = buffer;
                ::SendMessageA(text, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer));
                seen.text = buffer;
                ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                               reinterpret_cast<LPARAM>(::GetDlgItem(box, button)));
                return;
            }
            ::Sleep(20);
        }
    });
}

} // namespace

TEST(TesselMessageBox, ReturnsThePressedButtonsId) {
    struct Case {
        UINT type;
        int press;
    } cases[] = {{MB_OK | MB_ICONWARNING, IDOK},
                 {MB_YESNO, IDYES},
                 {MB_YESNO, IDNO},
                 {MB_YESNOCANCEL | MB_ICONQUESTION, IDCANCEL}};
    for (const Case& c : cases) {
        SeenBox seen;
        std::thread answer = AnswerMessageBox(c.press, seen);
        int result = TesselMessageBox("Question text", "Caption", c.type);
        answer.join();
        EXPECT_EQ(c.press, result);
        EXPECT_EQ("#32770", seen.className);
        EXPECT_EQ("Caption", seen.caption);
        EXPECT_EQ("Question text", seen.text);
    }
}

TEST(TesselMessageBox, TakesItsTextFromTheStringTable) {
    SeenBox seen;
    std::thread answer = AnswerMessageBox(IDOK, seen);
    EXPECT_EQ(IDOK, TesselMessageBox(IDS_FILE_MISSING, "Warning", MB_OK));
    answer.join();
    EXPECT_EQ("File is missing, Quit the application ! --- (E-NORMAL-003)", seen.text);
}

TEST(TesselAPI, EnableLunaReturnsThePreviousSetting) {
    bool original = TesselAPI::EnableLuna(false);
    EXPECT_FALSE(TesselAPI::EnableLuna(true));
    EXPECT_TRUE(TesselAPI::EnableLuna(original));
}

namespace {

// A tab painter that records the library's calls.
class RecordingTabPainter : public TesselTabPainter {
public:
    std::vector<std::string> items;
    std::vector<bool> selected;
    int selectCalls = 0;
    void DrawItem(HDC dc, const RECT& rect, const char* text, BOOL isSelected, BOOL disabled) override {
        items.push_back(text);
        selected.push_back(isSelected != FALSE);
        TesselTabPainter::DrawItem(dc, rect, text, isSelected, disabled);
    }
    void DrawSelectItem(HDC dc, const RECT& rect, UINT flags) override {
        ++selectCalls;
        TesselTabPainter::DrawSelectItem(dc, rect, flags);
    }
};

class SkinnedDialog : public TesselDialog {
public:
    SkinnedDialog() : TesselDialog(IDD_TEST_DIALOG) {}
    TesselTabCtrl tabs;
    TesselButton button;
    int clicks = 0;

protected:
    void DoDataExchange() override {
        TesselDialog::DoDataExchange();
        BindItem(IDC_TEST_TABS, tabs);
        BindItem(IDC_TEST_BUTTON, button);
    }

private:
    FW_DECLARE_MESSAGE_MAP(SkinnedDialog)
    LRESULT OnButton(WPARAM, LPARAM) {
        ++clicks;
        return 0;
    }
};

FW_BEGIN_MESSAGE_MAP(SkinnedDialog, TesselDialog)
    FW_ON_COMMAND(IDC_TEST_BUTTON, OnButton)
FW_END_MESSAGE_MAP()

} // namespace

TEST(TesselTabCtrl, PaintsEveryTabThroughThePainter) {
    SkinnedDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    RecordingTabPainter painter;
    dialog.tabs.SetPainter(&painter);
    dialog.tabs.InsertItem(0, " Quick Test ");
    dialog.tabs.InsertItem(1, " History ");
    dialog.Show(true);
    painter.items.clear();
    painter.selected.clear();
    ::RedrawWindow(dialog.tabs.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    ASSERT_EQ((std::vector<std::string>{" Quick Test ", " History "}), painter.items);
    EXPECT_EQ((std::vector<bool>{true, false}), painter.selected);
    EXPECT_EQ(1, painter.selectCalls);
}

TEST(TesselButton, OwnerDrawnButtonStillClicks) {
    SkinnedDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    LONG style = ::GetWindowLongA(dialog.button.hwnd(), GWL_STYLE);
    EXPECT_EQ(BS_OWNERDRAW, style & BS_TYPEMASK);
    ::SendMessageA(dialog.button.hwnd(), BM_CLICK, 0, 0);
    EXPECT_EQ(1, dialog.clicks);
}
