// The main window's own controls and its quit question under Wine: the
// page tab control with locked tabs, the log view's streaming, appending
// and end-of-scroll notice, and the quit question with a recording
// power-off.
#include <gtest/gtest.h>

#include <windows.h>

#include <richedit.h>

#include <string>

#include "MessageBoxAnswerer.h"
#include "RecordingWindow.h"
#include "TestDialogs.h"
#include "skinlib/TesselDialog.h"
#include "tavilcheck/catalogue/ModeFlags.h"
#include "tavilcheck/ui/LogRichEdit.h"
#include "tavilcheck/ui/PageTabCtrl.h"
#include "tavilcheck/ui/QuitQuestion.h"

using namespace tavil;

namespace {

class TabDialog : public TesselDialog {
public:
    TabDialog() : TesselDialog(IDD_TEST_DIALOG) {}
    PageTabCtrl tabs;

protected:
    void DoDataExchange() override {
        TesselDialog::DoDataExchange();
        BindItem(IDC_TEST_TABS, tabs);
    }
};

HWND MakePage(HWND parent) {
    return ::CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 40, 100, 50, parent, nullptr, nullptr, nullptr);
}

struct RecordingPowerOff : PowerOff {
    int requests = 0;
    void RequestPowerOff() override { ++requests; }
};

// A rich-edit view in a plain popup window.
struct RichEditFixture {
    RichEditFixture() {
        ::LoadLibraryA("riched20.dll");
        parent = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr, nullptr);
        HWND edit = ::CreateWindowA("RichEdit20A", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE, 0, 0, 300,
                                    100, parent, nullptr, nullptr, nullptr);
        view.Attach(edit);
        view.Send(EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
    }
    ~RichEditFixture() {
        view.Detach();
        ::DestroyWindow(parent);
    }
    std::string Text() const {
        GETTEXTLENGTHEX length{GTL_DEFAULT, CP_ACP};
        LRESULT size = view.Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length));
        std::string text(static_cast<size_t>(size) + 1, '\0');
        GETTEXTEX get{static_cast<DWORD>(text.size()), GT_DEFAULT, CP_ACP, nullptr, nullptr};
        LRESULT got = view.Send(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(got));
        return text;
    }
    HWND parent;
    LogRichEdit view;
};

} // namespace

TEST(PageTabCtrl, PagesAreMadeWhenFirstChosenAndALockedTabKeepsThePage) {
    TabDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    RecordingWindow owner;
    dialog.tabs.SetNotifyWindow(owner.hwnd);
    HWND first = nullptr, second = nullptr;
    int made = 0;
    // The notice comes after the page is made: the main window resets it.
    bool madeBeforeNotice = false;
    dialog.tabs.AddPage(" Quick Test ", [&] { return first = MakePage(dialog.tabs.hwnd()); });
    dialog.tabs.AddPage(" History ", [&] {
        ++made;
        madeBeforeNotice = owner.All(TM_PAGE_CHANGED).empty();
        second = MakePage(dialog.tabs.hwnd());
        ::ShowWindow(second, SW_HIDE);
        return second;
    });
    ASSERT_TRUE(first) << "the first page is made at once";
    EXPECT_TRUE(::GetWindowLongA(first, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(0, made) << "later pages wait for their tab";
    char title[64] = "";
    ::GetWindowTextA(first, title, sizeof title);
    EXPECT_EQ(" Quick Test ", std::string(title)) << "a page carries its tab's title";

    struct Case {
        BOOL enabled;
        int selectedAfter;
        size_t notices;
        int madeAfter;
    } cases[] = {{FALSE, 0, 0, 0}, {TRUE, 1, 1, 1}, {TRUE, 1, 1, 1}};
    for (const Case& c : cases) {
        dialog.tabs.Select(0);
        owner.messages.clear();
        dialog.tabs.SetTabEnabled(1, c.enabled);
        EXPECT_EQ(c.enabled, dialog.tabs.tabPainter().enabled) << "the painter draws with the last flag";
        dialog.tabs.OnSelChanging();
        dialog.tabs.SetCurSel(1); // the user's click
        dialog.tabs.OnSelChange();
        EXPECT_EQ(c.selectedAfter, dialog.tabs.GetCurSel());
        EXPECT_EQ(c.madeAfter, made) << "a page is made once, and not for a locked tab";
        ASSERT_EQ(c.notices, owner.All(TM_PAGE_CHANGED).size());
        if (c.notices) {
            EXPECT_EQ(1, owner.All(TM_PAGE_CHANGED)[0]->lParam);
            EXPECT_TRUE(madeBeforeNotice);
            EXPECT_TRUE(::GetWindowLongA(second, GWL_STYLE) & WS_VISIBLE);
            EXPECT_FALSE(::GetWindowLongA(first, GWL_STYLE) & WS_VISIBLE);
            ::GetWindowTextA(second, title, sizeof title);
            EXPECT_EQ(" History ", std::string(title));
        }
    }
    EXPECT_EQ(second, dialog.tabs.PageOf(1));
    EXPECT_FALSE(dialog.tabs.PageOf(2));
    EXPECT_FALSE(dialog.tabs.IsTabEnabled(-1));
    EXPECT_FALSE(dialog.tabs.IsTabEnabled(7));
}

TEST(LogRichEdit, StreamsLongTextsWhole) {
    RichEditFixture fixture;
    std::string body;
    for (int i = 0; i < 2000; ++i)
        body += "line " + std::to_string(i) + "\\par ";
    fixture.view.StreamIn("{\\rtf1\\ansi " + body + "}", false);
    std::string text = fixture.Text();
    EXPECT_EQ(0u, text.find("line 0\r")) << text.substr(0, 40);
    EXPECT_NE(std::string::npos, text.find("line 1999")) << "nothing lost over many stream requests";
    // Malformed or empty rich text: the view shows what it makes of it.
    fixture.view.StreamIn("{\\rtf1 unclosed {\\b group", false);
    fixture.view.StreamIn("", false);
}

TEST(LogRichEdit, AppendsAtTheEndInTheGivenColour) {
    RichEditFixture fixture;
    fixture.view.AppendText("first\r\n", 0, false);
    fixture.view.Send(EM_SETSEL, 0, 0); // the caret elsewhere must not matter
    fixture.view.AppendText("second\r\n", RGB(255, 0, 0), true);
    EXPECT_EQ("first\rsecond\r", fixture.Text());
    fixture.view.Send(EM_SETSEL, 6, 7);
    CHARFORMATA format{};
    format.cbSize = sizeof format;
    fixture.view.Send(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    EXPECT_EQ(RGB(255, 0, 0), format.crTextColor);
}

TEST(LogRichEdit, GatheredPiecesKeepTheirOrderAndEndlessLinesAreBroken) {
    RichEditFixture fixture;
    fixture.view.AppendAndScroll("one\r\n");
    fixture.view.AppendAndScroll("two ");
    // A coloured text goes in after what was gathered before it.
    fixture.view.AppendText("three\r\n", RGB(255, 0, 0), true);
    EXPECT_EQ("one\rtwo three\r", fixture.Text());
    fixture.view.Clear();
    // A program's long line, in 256-byte pieces, stays one line.
    for (size_t length : {600, 1023}) {
        fixture.view.AppendAndScroll(std::string(256, 'x'));
        fixture.view.AppendAndScroll(std::string(length - 256, 'x') + "y\r\n");
        EXPECT_EQ(std::string(length, 'x') + "y\r", fixture.Text()) << length << " characters are kept whole";
        fixture.view.Clear();
    }
    // An endless one (a binary flood) is broken at the view's bound.
    fixture.view.AppendAndScroll(std::string(2500, 'x'));
    EXPECT_EQ(std::string(1024, 'x') + "\r" + std::string(1024, 'x') + "\r" + std::string(452, 'x'), fixture.Text())
        << "a reader sees all the text, an endless line broken in the view";
}

TEST(LogRichEdit, ClearingALongRunsOutputIsQuickAndKeepsTheViewsSettings) {
    RichEditFixture fixture;
    ::SetWindowLongPtrA(fixture.view.hwnd(), GWLP_ID, 1040);
    fixture.view.LoadDefaultFormat();
    fixture.view.SetFontName("Courier New");
    fixture.view.DisableUndo();
    fixture.view.SetBackground(RGB(0, 255, 0));
    fixture.view.Send(EM_SETEVENTMASK, 0, ENM_MOUSEEVENTS);
    for (int i = 0; i < 2000; ++i) // 120 KB in 2000 paragraphs: deleting them would take minutes
        fixture.view.AppendAndScroll("line " + std::to_string(i) + std::string(50, '.') + "\r\n");
    fixture.view.FlushDrawing();
    HWND before = fixture.view.hwnd();
    DWORD start = ::GetTickCount();
    fixture.view.Clear();
    EXPECT_LT(::GetTickCount() - start, 5000u);
    HWND after = fixture.view.hwnd();
    ASSERT_TRUE(after);
    EXPECT_FALSE(::IsWindow(before)) << "replaced by a fresh control";
    EXPECT_EQ(fixture.parent, ::GetParent(after));
    EXPECT_EQ(1040, ::GetDlgCtrlID(after));
    EXPECT_TRUE(::GetWindowLongPtrA(after, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(ENM_MOUSEEVENTS, fixture.view.Send(EM_GETEVENTMASK));
    EXPECT_EQ("", fixture.Text());
    fixture.view.AppendAndScroll("again\r\n");
    EXPECT_EQ("again\r", fixture.Text());
    EXPECT_EQ(0x7FFFFFFF, fixture.view.Send(EM_GETLIMITTEXT)) << "the text limit is kept";
}

TEST(LogRichEdit, ViewOverItsLimitIsEmptiedAndSaysSo) {
    RichEditFixture fixture;
    fixture.view.SetTextLimit(2000);
    for (int i = 0; i < 100; ++i) {
        fixture.view.AppendAndScroll("line " + std::to_string(i) + std::string(40, '.') + "\r\n");
        fixture.view.FlushDrawing();
    }
    std::string text = fixture.Text();
    EXPECT_LE(text.size(), 2000u);
    EXPECT_EQ(0u, text.find("[Earlier output was cleared from this view.]\rline ")) << text.substr(0, 80);
    EXPECT_NE(std::string::npos, text.find("line 99")) << "the newest text is shown";
}

TEST(LogRichEdit, EndOfScrollNoticeOnlyWhenArmed) {
    RichEditFixture fixture;
    for (int i = 0; i < 200; ++i)
        fixture.view.AppendText("agreement line\r\n", 0, false);
    fixture.view.Send(EM_SETSEL, 0, 0);
    fixture.view.Send(WM_VSCROLL, SB_TOP);
    RecordingWindow owner;
    fixture.view.notifyWindow = owner.hwnd;
    auto notices = [&] { return owner.All(WM_AGREEMENT_READ).size(); };

    fixture.view.Send(WM_VSCROLL, SB_BOTTOM); // unarmed
    fixture.view.Send(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(0u, notices());
    fixture.view.Send(WM_VSCROLL, SB_TOP);
    fixture.view.notifyAtEnd = true;
    fixture.view.Send(WM_VSCROLL, SB_LINEDOWN); // from the top: not the end
    EXPECT_EQ(0u, notices());
    fixture.view.Send(WM_VSCROLL, SB_BOTTOM); // reaches the end: a notice at once
    EXPECT_EQ(1u, notices());
    fixture.view.Send(WM_VSCROLL, SB_LINEDOWN); // at the end: again
    EXPECT_GT(notices(), 1u);

    // The wheel reaches the end too.
    fixture.view.Send(WM_VSCROLL, SB_TOP);
    const size_t before = notices();
    for (int turn = 0; turn < 200 && notices() == before; ++turn)
        fixture.view.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_GT(notices(), before) << "scrolled to the end with the wheel";
}

TEST(QuitQuestion, AnswersDecideAndPowerOffComesOnlyWithYes) {
    struct Case {
        uint32_t flags;
        int answer;
        bool closes;
        int powerRequests;
        const char* text;
    } cases[] = {
        {0, IDYES, true, 0, "Do you want to quit?"},
        {0, IDNO, false, 0, "Do you want to quit?"},
        {FLAG_SERVICE, IDYES, true, 0, "Do you want to quit?"},
        {FLAG_WINDIR_OTHER, IDYES, true, 0, "Do you want to quit?"},
        {FLAG_SERVICE | FLAG_WINDIR_OTHER, IDYES, true, 1, "Do you want to quit this program with shutdown?"},
        {FLAG_SERVICE | FLAG_WINDIR_OTHER, IDNO, true, 0, "Do you want to quit this program with shutdown?"},
        {FLAG_SERVICE | FLAG_WINDIR_OTHER, IDCANCEL, false, 0, "Do you want to quit this program with shutdown?"},
    };
    int row = 0;
    for (const Case& c : cases) {
        RecordingPowerOff power;
        MessageBoxAnswerer answerer(c.answer);
        EXPECT_EQ(c.closes, AskToQuit(nullptr, c.flags, power)) << "row " << row;
        EXPECT_EQ(c.powerRequests, power.requests) << "row " << row;
        auto boxes = answerer.boxes();
        ASSERT_EQ(1u, boxes.size()) << "row " << row;
        EXPECT_EQ("Warning", boxes[0].caption);
        EXPECT_EQ(0u, boxes[0].text.find(c.text)) << boxes[0].text;
        ++row;
    }
}
