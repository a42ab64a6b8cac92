// The framework under Wine: message maps, template dialogs, the resource
// source and the thread object.
#include <gtest/gtest.h>

#include <new>
#include <string>

#include "TestDialogs.h"
#include "framework/Dialog.h"
#include "framework/Handles.h"
#include "framework/ResourceSource.h"
#include "framework/Thread.h"
#include "resource_ids.h"

namespace {

constexpr UINT WM_TEST_PING = WM_APP + 1;
constexpr UINT WM_TEST_BASE_ONLY = WM_APP + 2;
constexpr UINT WM_TEST_THROW = WM_APP + 3;
constexpr UINT WM_TEST_VIRTUAL = WM_APP + 4;

class BaseDialog : public fw::Dialog {
public:
    BaseDialog() : fw::Dialog(IDD_TEST_DIALOG, nullptr) {}
    int baseOnly = 0;
    int basePing = 0;

private:
    FW_DECLARE_MESSAGE_MAP(BaseDialog)
    LRESULT OnBaseOnly(WPARAM, LPARAM) {
        ++baseOnly;
        return 11;
    }
    LRESULT OnPing(WPARAM, LPARAM) {
        ++basePing;
        return 0;
    }
};

FW_BEGIN_MESSAGE_MAP(BaseDialog, fw::Dialog)
    FW_ON_MESSAGE(WM_TEST_BASE_ONLY, OnBaseOnly)
    FW_ON_MESSAGE(WM_TEST_PING, OnPing)
FW_END_MESSAGE_MAP()

class MappedDialog : public BaseDialog {
public:
    int clicks = 0;
    int editChanges = 0;
    int pings = 0;
    WPARAM lastPingWParam = 0;
    bool initialised = false;
    bool bound = false;
    std::string virtualSeen; // what reached OnMessage

protected:
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message == WM_TEST_PING || message == WM_TEST_VIRTUAL) {
            virtualSeen += message == WM_TEST_PING ? "ping " : "virtual ";
            result = 5;
            return true;
        }
        return BaseDialog::OnMessage(message, wParam, lParam, result);
    }
    void DoDataExchange() override { bound = Item(IDC_TEST_BUTTON) != nullptr; }
    BOOL OnInitDialog() override {
        initialised = true;
        return TRUE;
    }

private:
    FW_DECLARE_MESSAGE_MAP(MappedDialog)
    LRESULT OnButton(WPARAM, LPARAM) {
        ++clicks;
        return 0;
    }
    LRESULT OnEditChange(WPARAM, LPARAM) {
        ++editChanges;
        return 0;
    }
    LRESULT OnPing(WPARAM wParam, LPARAM) {
        ++pings;
        lastPingWParam = wParam;
        return 42;
    }
    LRESULT OnThrow(WPARAM, LPARAM) { throw std::bad_alloc(); }
};

FW_BEGIN_MESSAGE_MAP(MappedDialog, BaseDialog)
    FW_ON_COMMAND(IDC_TEST_BUTTON, OnButton)
    FW_ON_CONTROL(EN_CHANGE, IDC_TEST_EDIT, OnEditChange)
    FW_ON_MESSAGE(WM_TEST_PING, OnPing)
    FW_ON_MESSAGE(WM_TEST_THROW, OnThrow)
FW_END_MESSAGE_MAP()

} // namespace

TEST(MessageMap, RoutesByMessageControlAndCode) {
    MappedDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_TRUE(dialog.initialised);
    EXPECT_TRUE(dialog.bound) << "DoDataExchange runs before OnInitDialog with the controls";

    HWND button = dialog.Item(IDC_TEST_BUTTON);
    dialog.Send(BM_CLICK);                  // not the button: nothing
    ::SendMessageA(button, BM_CLICK, 0, 0); // a real click
    EXPECT_EQ(1, dialog.clicks);
    // The same control with another notification code is not the click.
    dialog.Send(WM_COMMAND, MAKEWPARAM(IDC_TEST_BUTTON, BN_SETFOCUS), reinterpret_cast<LPARAM>(button));
    EXPECT_EQ(1, dialog.clicks);

    ::SetWindowTextA(dialog.Item(IDC_TEST_EDIT), "changed");
    EXPECT_EQ(1, dialog.editChanges);

    // The derived entry wins over the base's; the result reaches the sender.
    EXPECT_EQ(42, dialog.Send(WM_TEST_PING, 7));
    EXPECT_EQ(1, dialog.pings);
    EXPECT_EQ(7u, dialog.lastPingWParam);
    EXPECT_EQ(0, dialog.basePing);
    // A message only the base maps reaches the base's handler.
    EXPECT_EQ(11, dialog.Send(WM_TEST_BASE_ONLY));
    EXPECT_EQ(1, dialog.baseOnly);
    // The map goes first; the virtual handler gets only what it left.
    EXPECT_EQ(5, dialog.Send(WM_TEST_VIRTUAL));
    EXPECT_EQ("virtual ", dialog.virtualSeen) << "a mapped message never reaches OnMessage";
}

TEST(MessageMap, HandlerThatThrowsDoesNotUnwindThroughTheSystem) {
    MappedDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    EXPECT_EQ(0, dialog.Send(WM_TEST_THROW)) << "left to the system's handling";
    EXPECT_EQ(42, dialog.Send(WM_TEST_PING)) << "the dialog goes on working";
}

TEST(ResourceSource, LibraryFirstThenProgram) {
    fw::Library libraryFile(::LoadLibraryExA(TEST_RESOURCE_LIBRARY, nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(libraryFile) << TEST_RESOURCE_LIBRARY;
    HMODULE library = libraryFile.get();
    EXPECT_EQ("TAVIL Hardware Diagnostics", fw::ResourceSource::LoadString(IDS_TITLE_BUNDLE));
    fw::ResourceSource::SetLibrary(library);
    EXPECT_EQ("TAVIL Diagnostics (from the resource library)", fw::ResourceSource::LoadString(IDS_TITLE_BUNDLE));
    EXPECT_EQ("Close", fw::ResourceSource::LoadString(IDS_CLOSE)) << "missing in the library";
    EXPECT_EQ(fw::ResourceSource::Program(), fw::ResourceSource::DialogModule(IDD_TEST_DIALOG));
    EXPECT_EQ("", fw::ResourceSource::LoadString(64999)) << "an id nobody has";
    fw::ResourceSource::SetLibrary(nullptr);

    // Texts keep their exact blanks and escapes.
    EXPECT_EQ("Please select a test       ", fw::ResourceSource::LoadString(IDS_SELECT_TEST));
    EXPECT_EQ("\r\n= Test was aborted = \r\n", fw::ResourceSource::LoadString(IDS_VERDICT_ABORTED));
    EXPECT_EQ("%d%%Finished", fw::ResourceSource::LoadString(IDS_PERCENT_FINISHED));
}

TEST(Thread, RunsTheOverriddenStepAndReportsItsResult) {
    class Worker : public fw::Thread {
    public:
        DWORD seenThread = 0;

    protected:
        DWORD Run() override {
            seenThread = ::GetCurrentThreadId();
            return 1234;
        }
    } worker;
    ASSERT_TRUE(worker.Start());
    EXPECT_FALSE(worker.Start()) << "a thread object runs once";
    ASSERT_TRUE(worker.Wait(5000));
    EXPECT_EQ(1234u, worker.ExitCode());
    EXPECT_NE(::GetCurrentThreadId(), worker.seenThread);
    EXPECT_FALSE(worker.IsRunning());
}
