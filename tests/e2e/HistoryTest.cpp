// The History page of the real program: the list of the kept run logs,
// the viewer, and the history report through the Save As dialog, with a
// test module in place of hwconfig.dll that records its calls.
#include <gtest/gtest.h>

#include <regex>

#include "EndToEnd.h"
#include "tests/TestFiles.h"

using tavil::Exists;
using tavil::ReadWholeFile;
using tavil::WriteWholeFile;

namespace {

constexpr int kHistoryTab = 3;
const char kSeparator[] = "-------------------------------------\r\r\n";
const char kDate[] = R"(\d{4}/\d\d/\d\d  \d\d:\d\d:\d\d)";

// A run log as the program writes it: text mode, each line ending CR CR LF.
std::string RunLog(const std::string& title, const std::string& date, const std::string& body) {
    return "[" + title + "]  \r\r\n" + date + "\r\r\n\r\r\n\r\r\n" + body;
}

// The History page of `window`, brought to the front.
HWND HistoryPage(HWND window) { return ChooseTab(window, kHistoryTab); }

// Presses Create History Report and waits for the Save As dialog; the
// dialog's file-name field is given back in `nameField`.
HWND OpenSaveAs(Process& program, HWND page, HWND& nameField) {
    PressButton(page, IDC_CREATE_REPORT);
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
            for (HWND top : TopWindows(program.id(), "#32770"))
                for (HWND edit : Descendants(top, "Edit"))
                    if (WindowText(edit).rfind("Report", 0) == 0) {
                        dialog = top;
                        nameField = edit;
                        return true;
                    }
            return false;
        },
        kTimeout);
    return dialog;
}

// Saves the report as `path` in the open Save As dialog.
void SaveAs(HWND dialog, HWND nameField, const std::string& path) {
    ::SendMessageA(nameField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    PressButton(dialog, IDOK);
}

// The report's header as expected with the date the report states (its
// form checked) and an empty model (no DMI driver under Wine).
std::string ExpectedHeader(const std::string& report) {
    const size_t at = report.find("Date : ");
    const std::string date = at == std::string::npos ? "" : report.substr(at + 7, report.find('\r', at) - at - 7);
    EXPECT_TRUE(std::regex_match(date, std::regex(kDate))) << date;
    return std::string("History Report of TAVIL Hardware Diagnostics\r\r\n") + kSeparator + "Date : " + date +
           "\r\r\nModel: \r\r\n\r\r\n" + kSeparator;
}

class HistoryReport : public ::testing::Test {
protected:
    DemoInstallation installation;
    std::string reportPath = installation.Path("chosen report.txt");
    std::string callsPath = installation.Path("hwconfig-calls.txt");

    void UseRecordingModule() { installation.CopyIn(TEST_MODULES_DIR "\\config_module.dll", "hwconfig.dll"); }
    void UseModuleWithoutEntry() { installation.CopyIn(TEST_MODULES_DIR "\\noexport_module.dll", "hwconfig.dll"); }

    // Starts the program, creates the report at `path` (answering Yes when
    // the dialog asks whether to replace it) and answers the box that
    // follows; returns the box.
    MessageBoxView CreateReport(const std::string& path, bool replaces = false) {
        Process program(installation.Program(), "", installation.directory());
        HWND window = MainWindowOf(program);
        MessageBoxView box;
        if (!window)
            return box;
        HWND page = HistoryPage(window);
        HWND nameField = nullptr;
        HWND dialog = page ? OpenSaveAs(program, page, nameField) : nullptr;
        EXPECT_TRUE(dialog) << "no Save As dialog";
        if (!dialog)
            return box;
        SaveAs(dialog, nameField, path);
        if (replaces) {
            MessageBoxView question;
            EXPECT_TRUE(WaitForMessageBox(program.id(), kTimeout, question)) << "no question before replacing";
            EXPECT_EQ((std::vector<int>{IDYES, IDNO}), question.buttons) << question.text;
            PressButton(question.hwnd, IDYES);
            WaitUntil([&] { return !::IsWindow(question.hwnd); }, kTimeout);
        }
        EXPECT_TRUE(WaitForMessageBox(program.id(), kTimeout, box)) << "no message after the report";
        if (box.hwnd) {
            PressButton(box.hwnd, IDOK);
            WaitUntil([&] { return !::IsWindow(box.hwnd); }, kTimeout);
        }
        CloseAndExpectExit(program, window);
        return box;
    }
};

} // namespace

TEST(HistoryPage, ListsTheKeptLogsNewestFirstAndShowsOneFromItsSecondLine) {
    DemoInstallation installation;
    WriteWholeFile(installation.Path("hwck_log00.txt"),
                   RunLog("QuickTest", "2026/12/11  10:00:00", "Memory Test: passed\r\r\n"));
    WriteWholeFile(installation.Path("hwck_log01.txt"), "[Only one line]\r\r\n");
    WriteWholeFile(installation.Path("hwck_log02.txt"), RunLog("Memory Test", "2026/12/10  09:30:00", "Failed\r\r\n"));
    WriteWholeFile(installation.Path("hwck_log03.txt"), "");
    Process program(installation.Program(), "", installation.directory());
    HWND window = MainWindowOf(program);
    ASSERT_TRUE(window);
    HWND page = HistoryPage(window);
    ASSERT_TRUE(page);
    HWND list = Control(page, IDC_HISTORY_LIST);
    ASSERT_EQ(2, ListViewCount(list)) << "the one-line and the empty log are not listed";
    EXPECT_EQ("HISTORY1: QuickTest 2026/12/11  10:00:00", ListViewText(list, 0));
    EXPECT_EQ("HISTORY2: Memory Test 2026/12/10  09:30:00", ListViewText(list, 1));

    HWND viewer = Control(page, IDC_HISTORY_VIEWER);
    ClickListViewRow(list, 0);
    EXPECT_TRUE(WaitUntil([&] { return TextWithLineFeeds(viewer).find("Memory Test: passed") != std::string::npos; },
                          kTimeout));
    EXPECT_EQ("2026/12/11  10:00:00\n\n\nMemory Test: passed\n", TextWithLineFeeds(viewer));

    // A log removed after the list was filled leaves the viewer empty.
    ::DeleteFileA(installation.Path("hwck_log02.txt").c_str());
    ClickListViewRow(list, 1);
    EXPECT_TRUE(WaitUntil([&] { return WindowText(viewer).empty(); }, kTimeout)) << WindowText(viewer);

    // Coming back to the tab fills the list again from the files.
    ChooseTab(window, 0);
    HistoryPage(window);
    EXPECT_EQ(1, ListViewCount(list));
    CloseAndExpectExit(program, window);
}

TEST(HistoryPage, CopyMenuCopiesTheViewersSelection) {
    DemoInstallation installation;
    WriteWholeFile(installation.Path("hwck_log00.txt"),
                   RunLog("QuickTest", "2026/12/11  10:00:00", "copied text\r\r\n"));
    Process program(installation.Program(), "", installation.directory());
    HWND window = MainWindowOf(program);
    ASSERT_TRUE(window);
    HWND page = HistoryPage(window);
    ASSERT_TRUE(page);
    HWND viewer = Control(page, IDC_HISTORY_VIEWER);
    ClickListViewRow(Control(page, IDC_HISTORY_LIST), 0);
    ASSERT_TRUE(WaitForTextContaining(viewer, "copied text", kTimeout));
    ::SendMessageA(viewer, EM_SETSEL, 0, -1);
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
    ::PostMessageA(viewer, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(20, 20));
    HWND menu = WaitForWindow(program.id(), "#32768", nullptr, kTimeout);
    ASSERT_TRUE(menu) << "no pop-up menu";
    ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    std::string copied;
    WaitUntil(
        [&] {
            if (!::OpenClipboard(nullptr))
                return false;
            if (HANDLE data = ::GetClipboardData(CF_TEXT))
                if (const char* text = static_cast<const char*>(::GlobalLock(data))) {
                    copied = text;
                    ::GlobalUnlock(data);
                }
            ::CloseClipboard();
            return !copied.empty();
        },
        kTimeout);
    EXPECT_NE(std::string::npos, copied.find("copied text")) << copied;
    CloseAndExpectExit(program, window);
}

TEST_F(HistoryReport, WithoutRecordsItHoldsTheHeaderAndTheSystemInformation) {
    UseRecordingModule();
    MessageBoxView box = CreateReport(reportPath);
    EXPECT_EQ("Create History Report", box.caption);
    EXPECT_EQ("History Report has been created!", box.text);
    EXPECT_EQ("window=1 flags=0 argument=0\r\n", ReadWholeFile(callsPath)) << "called once, as specified";
    const std::string cfg = ReadWholeFile(installation.Path("cfg.log"));
    EXPECT_EQ("Computer name         : TESTPC\r\n" + std::string(3000, 'x') + "\r\nLast line without a line end", cfg);
    const std::string report = ReadWholeFile(reportPath);
    EXPECT_EQ(ExpectedHeader(report) + "System Information\r\r\n" + kSeparator + cfg, report);
}

TEST_F(HistoryReport, RecordsAndAnOlderSystemInformationWhenTheModuleHasNoEntry) {
    UseModuleWithoutEntry();
    WriteWholeFile(installation.Path("report.tmp"),
                   "[HISTORY_NUM]\r\nNUM=2\r\n"
                   "[HISTORY_0]\r\nDATE=2026/12/11  09:00:00\r\nRESULT=QuickTest\t\tOK\r\n"
                   "[HISTORY_1]\r\nDATE=2026/12/10  08:00:00\r\n");
    const std::string records = std::string("2026/12/11  09:00:00\r\r\nQuickTest\t\tOK\r\r\n\r\r\n") + kSeparator +
                                "2026/12/10  08:00:00\r\r\n\r\r\n\r\r\n" + kSeparator + "\r\r\n\r\r\n\r\r\n";
    // No cfg.log: no system information.
    MessageBoxView box = CreateReport(reportPath);
    EXPECT_EQ("History Report has been created!", box.text);
    std::string report = ReadWholeFile(reportPath);
    EXPECT_EQ(ExpectedHeader(report) + records, report);

    // An older cfg.log is copied as it is.
    WriteWholeFile(installation.Path("cfg.log"), "older\r\nsystem information\r\n");
    CreateReport(reportPath, true); // the same path: the dialog asks first
    report = ReadWholeFile(reportPath);
    EXPECT_EQ(ExpectedHeader(report) + records + "System Information\r\r\n" + kSeparator +
                  "older\r\nsystem information\r\n",
              report);
}

TEST_F(HistoryReport, DamagedCountsGiveNoRecordsOrAtMostTheKeptOnes) {
    UseModuleWithoutEntry();
    struct Case {
        const char* count;
        size_t blocks;
    } cases[] = {{"-3", 0}, {"nonsense", 0}, {"5000", 99}};
    for (const Case& c : cases) {
        WriteWholeFile(installation.Path("report.tmp"), std::string("[HISTORY_NUM]\r\nNUM=") + c.count + "\r\n");
        ::DeleteFileA(reportPath.c_str());
        CreateReport(reportPath);
        const std::string report = ReadWholeFile(reportPath);
        size_t separators = 0;
        for (size_t at = report.find(kSeparator); at != std::string::npos; at = report.find(kSeparator, at + 1))
            ++separators;
        EXPECT_EQ(2 + c.blocks, separators) << "NUM=" << c.count;
    }
}

TEST_F(HistoryReport, CancelWritesNothingAndCallsNoModule) {
    UseRecordingModule();
    Process program(installation.Program(), "", installation.directory());
    HWND window = MainWindowOf(program);
    ASSERT_TRUE(window);
    HWND page = HistoryPage(window);
    ASSERT_TRUE(page);
    HWND nameField = nullptr;
    HWND dialog = OpenSaveAs(program, page, nameField);
    ASSERT_TRUE(dialog);
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char proposed[32];
    std::snprintf(proposed, sizeof proposed, "Report%04d%02d%02d.txt", now.wYear, now.wMonth, now.wDay);
    EXPECT_EQ(proposed, WindowText(nameField));
    EXPECT_EQ("Save As", WindowText(dialog));
    PressButton(dialog, IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, kTimeout));
    MessageBoxView box;
    EXPECT_FALSE(WaitForMessageBox(program.id(), 1000, box)) << box.text;
    EXPECT_FALSE(Exists(callsPath)) << "hwconfig.dll was called";
    EXPECT_FALSE(Exists(installation.Path("cfg.log")));
    EXPECT_FALSE(Exists(installation.Path(proposed)));
    CloseAndExpectExit(program, window);
}

TEST_F(HistoryReport, APathThatCannotBeWrittenIsReportedAndNothingIsWritten) {
    UseRecordingModule();
    const std::string path = installation.Path("no such folder\\report.txt");
    MessageBoxView box = CreateReport(path);
    EXPECT_EQ("Create History Report", box.caption);
    EXPECT_NE(std::string::npos, box.text.find("could not be created")) << box.text;
    EXPECT_NE(std::string::npos, box.text.find(path)) << box.text;
    EXPECT_FALSE(Exists(callsPath)) << "hwconfig.dll was called";
    EXPECT_FALSE(Exists(installation.Path("cfg.log")));
    EXPECT_FALSE(Exists(installation.Path("no such folder")));
}
