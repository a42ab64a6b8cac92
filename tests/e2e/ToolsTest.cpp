// The Tools page and the help window of the real program: Device Manager's
// button, Check Hard Disk with the system directory's checker (a test
// double in the test prefix, or none), the boot-time schedule written to
// the prefix's registry, and the help window's support button.
#include <gtest/gtest.h>

#include "EndToEnd.h"
#include "framework/Application.h"
#include "tavilcheck/tools/CheckDiskText.h"
#include "tests/TestFiles.h"

using tavil::Exists;
using tavil::ReadWholeFile;
using tavil::WriteWholeFile;

namespace {

constexpr int kToolsTab = 2;
const char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";

// The checker double as the system's fmifs.dll, for the life of the object.
class CheckerDouble {
public:
    CheckerDouble() { ::CopyFileA(TEST_MODULES_DIR "\\fmifs.dll", Path().c_str(), FALSE); }
    ~CheckerDouble() { ::DeleteFileA(Path().c_str()); }
    static std::string Path() { return fw::SystemDirectory() + "fmifs.dll"; }
};

// An environment variable of the test process (the program inherits it).
class Variable {
public:
    Variable(const char* name, const std::string& value) : m_name(name) {
        ::SetEnvironmentVariableA(name, value.c_str());
    }
    ~Variable() { ::SetEnvironmentVariableA(m_name, nullptr); }

private:
    const char* m_name;
};

// BootExecute of the test prefix, put back as it was afterwards.
class BootExecute {
public:
    BootExecute() { m_present = Read(m_saved); }
    ~BootExecute() { m_present ? Write(m_saved) : Remove(); }
    static bool Read(std::vector<std::string>& entries) {
        char data[4096];
        DWORD size = sizeof data, type = 0;
        if (::RegGetValueA(HKEY_LOCAL_MACHINE, kSessionManager, "BootExecute", RRF_RT_ANY, &type, data, &size) !=
            ERROR_SUCCESS)
            return false;
        EXPECT_EQ(static_cast<DWORD>(REG_MULTI_SZ), type);
        entries = tavil::SplitMultiString(std::string(data, size));
        return true;
    }
    static void Write(const std::vector<std::string>& entries) {
        const std::string value = tavil::JoinMultiString(entries);
        ::RegSetKeyValueA(HKEY_LOCAL_MACHINE, kSessionManager, "BootExecute", REG_MULTI_SZ, value.data(),
                          static_cast<DWORD>(value.size()));
    }
    static void Remove() { ::RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, kSessionManager, "BootExecute"); }

private:
    std::vector<std::string> m_saved;
    bool m_present = false;
};

// The program on its Tools page.
struct ToolsFixture {
    DemoInstallation installation;
    std::unique_ptr<Process> program;
    HWND window = nullptr, page = nullptr;

    bool Start() {
        program = std::make_unique<Process>(installation.Program(), "", installation.directory());
        window = MainWindowOf(*program);
        page = window ? ChooseTab(window, kToolsTab) : nullptr;
        return page != nullptr;
    }
    // Opens Check Hard Disk and returns it.
    HWND OpenCheckDisk() {
        PressButton(page, IDC_CHECK_DISK_OPEN);
        return WaitForWindow(program->id(), "#32770", "Check Hard Disk", kTimeout);
    }
    // Expects a message box with `text` and `caption` and answers it.
    void Answer(const char* caption, const std::string& text, int button = IDOK) {
        MessageBoxView box;
        ASSERT_TRUE(WaitForMessageBox(program->id(), kTimeout, box)) << "no message box: " << text;
        EXPECT_EQ(caption, box.caption);
        EXPECT_EQ(text, box.text);
        PressButton(box.hwnd, button);
        WaitUntil([&] { return !::IsWindow(box.hwnd); }, kTimeout);
    }
    void Close() { CloseAndExpectExit(*program, window); }
};

// The program of `installation` with its help window open.
struct HelpOpen {
    Process program;
    HWND window = nullptr, help = nullptr;
    explicit HelpOpen(const Installation& installation)
        : program(installation.Program(), "", installation.directory()) {
        window = MainWindowOf(program);
        if (!window)
            return;
        PressButton(window, IDC_HELP_BUTTON);
        help = WaitForWindow(program.id(), "#32770", "Help", kTimeout);
    }
    // OK, then the program closed through its quit question.
    void Close() {
        PressButton(help, IDC_HELP_OK);
        CloseAndExpectExit(program, window);
    }
};

bool ButtonsBack(HWND dialog) {
    return WaitUntil(
        [&] {
            return IsEnabledWindow(Control(dialog, IDC_CHECK_START)) &&
                   IsEnabledWindow(Control(dialog, IDC_CHECK_CANCEL));
        },
        kTimeout);
}

// Ticks the row of drive C: and returns it.
int TickDriveC(HWND dialog) {
    HWND list = Control(dialog, IDC_VOLUME_LIST);
    for (int row = 0; row < ListViewCount(list); ++row)
        if (ListViewText(list, row) == "C:\\") {
            CheckListViewRow(list, row, true);
            return row;
        }
    ADD_FAILURE() << "no C:\\ in the volume list";
    return -1;
}

} // namespace

TEST(ToolsPage, TextsButtonsAndDeviceManagerComingBack) {
    ToolsFixture tools;
    // A cmd.exe beside the program (found first by a search for the bare
    // name) that never ends: the button would never come back.
    tools.installation.CopyIn(TEST_MODULES_DIR "\\run_forever.exe", "cmd.exe");
    ASSERT_TRUE(tools.Start());
    HWND deviceManager = Control(tools.page, IDC_DEVICE_MANAGER_OPEN);
    HWND checkDisk = Control(tools.page, IDC_CHECK_DISK_OPEN);
    EXPECT_EQ("Open", WindowText(deviceManager));
    EXPECT_EQ("Open", WindowText(checkDisk));
    EXPECT_FALSE(WindowText(Control(tools.page, IDC_TOOLS_TEXT)).empty());
    RECT first{}, second{};
    ::GetWindowRect(deviceManager, &first);
    ::GetWindowRect(checkDisk, &second);
    EXPECT_LT(first.top, second.top) << "each button beside its own text";

    PressButton(tools.page, IDC_DEVICE_MANAGER_OPEN);
    EXPECT_TRUE(WaitUntil([&] { return !IsEnabledWindow(deviceManager); }, kTimeout)) << "disabled while it runs";
    PressButton(tools.page, IDC_DEVICE_MANAGER_OPEN); // a second press while it runs starts nothing
    EXPECT_TRUE(WaitUntil([&] { return IsEnabledWindow(deviceManager); }, kTimeout))
        << "enabled once the system's cmd.exe ended";
    tools.Close();
}

TEST(CheckHardDisk, LayoutVolumesAndSingleChoice) {
    ToolsFixture tools;
    ASSERT_TRUE(tools.Start());
    HWND dialog = tools.OpenCheckDisk();
    ASSERT_TRUE(dialog);
    RECT frame{};
    ::GetWindowRect(dialog, &frame);
    EXPECT_EQ(500, frame.right - frame.left);
    EXPECT_EQ(480, frame.bottom - frame.top);
    EXPECT_EQ("Please select the volume", WindowText(Control(dialog, IDC_VOLUME_LABEL)));
    EXPECT_EQ("Check Hard Disk Option", WindowText(Control(dialog, IDC_CHECK_OPTIONS)));
    EXPECT_EQ("Fixes errors on the disk.", WindowText(Control(dialog, IDC_FIX_OPTION)));
    EXPECT_EQ("Locates bad sectors and recovers readable information.",
              WindowText(Control(dialog, IDC_RECOVER_OPTION)));
    EXPECT_EQ("Start", WindowText(Control(dialog, IDC_CHECK_START)));
    EXPECT_EQ("Cancel", WindowText(Control(dialog, IDC_CHECK_CANCEL)));

    // Wine's fixed drives: C: and Z:.
    HWND list = Control(dialog, IDC_VOLUME_LIST);
    ASSERT_EQ(2, ListViewCount(list));
    EXPECT_EQ("C:\\", ListViewText(list, 0));
    EXPECT_EQ("Z:\\", ListViewText(list, 1));

    PressButton(dialog, IDC_CHECK_START);
    tools.Answer("Check Hard Disk", "Please select the volume");
    CheckListViewRow(list, 0, true);
    CheckListViewRow(list, 1, true);
    EXPECT_TRUE(WaitUntil([&] { return !IsListViewRowChecked(list, 0); }, kTimeout)) << "ticking Z: clears C:";
    EXPECT_TRUE(IsListViewRowChecked(list, 1));

    PressButton(dialog, IDC_CHECK_CANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, kTimeout));
    tools.Close();
}

TEST(CheckHardDisk, WithoutTheSystemsCheckerSaysSoAndComesBack) {
    ASSERT_FALSE(Exists(CheckerDouble::Path()));
    ToolsFixture tools;
    ASSERT_TRUE(tools.Start());
    // A checker in the program's folder is not the system's: never loaded.
    tools.installation.CopyIn(TEST_MODULES_DIR "\\fmifs.dll", "fmifs.dll");
    HWND dialog = tools.OpenCheckDisk();
    ASSERT_TRUE(dialog);
    TickDriveC(dialog);
    PressButton(dialog, IDC_CHECK_START);
    tools.Answer("Check Hard Disk", "Loading DLL failed ! --- (E-NORMAL-005)");
    EXPECT_TRUE(ButtonsBack(dialog));
    SendCommand(dialog, IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, kTimeout)) << "Esc closes it when idle";
    tools.Close();
}

TEST(CheckHardDisk, ACheckShowsProgressAndTheRewrittenOutputAndCannotBeClosedMeanwhile) {
    CheckerDouble checker;
    ToolsFixture tools;
    const std::string record = tools.installation.Path("checker.txt"), hold = tools.installation.Path("hold");
    Variable recordVariable("TAVIL_CHECKER_RECORD", record), holdVariable("TAVIL_CHECKER_HOLD", hold),
        lines("TAVIL_CHECKER_LINES", "1000"), longLine("TAVIL_CHECKER_LONG", "10000");
    ASSERT_TRUE(tools.Start());
    HWND dialog = tools.OpenCheckDisk();
    ASSERT_TRUE(dialog);
    TickDriveC(dialog);
    PressButton(dialog, IDC_CHECK_START);
    HWND output = Control(dialog, IDC_CHECK_OUTPUT);
    ASSERT_TRUE(WaitForTextContaining(output, "Line 1000", kTimeout));
    EXPECT_FALSE(IsEnabledWindow(Control(dialog, IDC_CHECK_START)));
    EXPECT_FALSE(IsEnabledWindow(Control(dialog, IDC_CHECK_CANCEL)));
    SendCommand(dialog, IDCANCEL); // Esc
    ::PostMessageA(dialog, WM_CLOSE, 0, 0);
    ::Sleep(300);
    EXPECT_TRUE(::IsWindow(dialog)) << "closed while the check ran";
    EXPECT_EQ(100, ::SendMessageA(Control(dialog, IDC_CHECK_PROGRESS), PBM_GETPOS, 0, 0));

    WriteWholeFile(hold, "");
    EXPECT_TRUE(ButtonsBack(dialog));
    EXPECT_EQ("volume=\\\\.\\C:\\ fs=NTFS fix=0 verbose=0 dirty=0 recover=0\r\n", ReadWholeFile(record));
    const std::string text = TextWithLineFeeds(output);
    EXPECT_EQ(0u,
              text.find("The type of the file system is NTFS.\n\"Check Hard Disk\" is verifying files (stage 1 "
                        "of 3)...\nWindows has checked the file system and found no problems.\nRun \"Check Hard "
                        "Disk\" with the \"Fixes errors on the disk.\" option to fix errors on this volume, "
                        "\"Locates bad sectors and recovers readable information.\" to find bad sectors.\nLine 1\n"))
        << text.substr(0, 600);
    EXPECT_NE(std::string::npos, text.find(std::string(1000, 'L'))) << "the long line is shown";
    PressButton(dialog, IDC_CHECK_CANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, kTimeout));
    tools.Close();
}

TEST(CheckHardDisk, AVolumeInUseIsScheduledKeepingTheOtherBootEntries) {
    CheckerDouble checker;
    BootExecute saved;
    struct Case {
        bool fix, recover, valuePresent;
        std::vector<std::string> before, after;
    } cases[] = {
        {true,
         false,
         true,
         {"autocheck autochk *", "other.exe /x"},
         {"autocheck autochk *", "other.exe /x", "autocheck autochk /p \\??\\C:"}},
        {false,
         true,
         true,
         {"autocheck autochk *", "autocheck autochk /p \\??\\C:", "last"},
         {"autocheck autochk *", "autocheck autochk /r \\??\\C:", "last"}},
        {true, true, false, {}, {"autocheck autochk *", "autocheck autochk /r \\??\\C:"}},
    };
    ToolsFixture tools;
    ASSERT_TRUE(tools.Start());
    HWND dialog = tools.OpenCheckDisk();
    ASSERT_TRUE(dialog);
    TickDriveC(dialog);
    for (const Case& c : cases) {
        c.valuePresent ? BootExecute::Write(c.before) : BootExecute::Remove();
        if ((::SendMessageA(Control(dialog, IDC_FIX_OPTION), BM_GETCHECK, 0, 0) == BST_CHECKED) != c.fix)
            ClickButton(dialog, IDC_FIX_OPTION);
        if ((::SendMessageA(Control(dialog, IDC_RECOVER_OPTION), BM_GETCHECK, 0, 0) == BST_CHECKED) != c.recover)
            ClickButton(dialog, IDC_RECOVER_OPTION);
        PressButton(dialog, IDC_CHECK_START);
        // Wine lets no program open a volume for writing: always "in use".
        tools.Answer("Check Hard Disk",
                     "Check Hard Disk cannot run because the volume is in use by another process.\r\nWould you like "
                     "to schedule this volume to be checked the next time the system restarts?(Yes/No) --- "
                     "(E-NORMAL-007)",
                     IDYES);
        EXPECT_TRUE(ButtonsBack(dialog));
        std::vector<std::string> entries;
        EXPECT_TRUE(BootExecute::Read(entries));
        EXPECT_EQ(c.after, entries) << "fix " << c.fix << " recover " << c.recover;
    }
    PressButton(dialog, IDC_CHECK_CANCEL);
    tools.Close();
}

TEST(HelpWindow, OpensOnceAndClosesByOkOrEsc) {
    DemoInstallation installation;
    Process program(installation.Program(), "", installation.directory());
    HWND window = MainWindowOf(program);
    ASSERT_TRUE(window);
    PressButton(window, IDC_HELP_BUTTON);
    HWND help = WaitForWindow(program.id(), "#32770", "Help", kTimeout);
    ASSERT_TRUE(help);
    EXPECT_TRUE(WaitUntil([&] { return !IsEnabledWindow(Control(window, IDC_HELP_BUTTON)); }, kTimeout));
    SendCommand(window, IDC_HELP_BUTTON); // pressed again: nothing more
    ::Sleep(300);
    EXPECT_EQ(2u, TopWindows(program.id(), "#32770").size()) << "the main window and one help window";
    EXPECT_FALSE(WindowText(Control(help, IDC_HELP_TEXT)).empty());
    EXPECT_TRUE(IsShown(Control(help, IDC_SUPPORT_SITE)));
    EXPECT_EQ("TAVIL Support Website", WindowText(Control(help, IDC_SUPPORT_SITE)));

    PressButton(help, IDC_HELP_OK);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(help); }, kTimeout));
    EXPECT_TRUE(WaitUntil([&] { return IsEnabledWindow(Control(window, IDC_HELP_BUTTON)); }, kTimeout));
    PressButton(window, IDC_HELP_BUTTON); // and once more after OK
    help = WaitForWindow(program.id(), "#32770", "Help", kTimeout);
    ASSERT_TRUE(help);
    SendCommand(help, IDCANCEL); // Esc closes it as OK does
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(help); }, kTimeout));
    EXPECT_TRUE(WaitUntil([&] { return IsEnabledWindow(Control(window, IDC_HELP_BUTTON)); }, kTimeout));
    CloseAndExpectExit(program, window);
}

TEST(HelpWindow, SupportLinkFromTheSettingsFile) {
    // Wine always reports an internet connection: the link decides.
    const std::string unconfigured[] = {
        "", "[SUPPORT]\r\n", "[SUPPORT]\r\nlink=\r\n", "[SUPPORT]\r\nlink=http://x/about:blank/y\r\n",
        "[SUPPORT]\r\nlink=" + std::string(1012, 'a') + "about:blank\r\n"}; // 1023 characters
    for (const std::string& support : unconfigured) {
        DemoInstallation installation;
        WriteWholeFile(installation.Path("tavilhwdiag.ini"), "[log]\r\npath=a:\\\r\n" + support);
        HelpOpen open(installation);
        ASSERT_TRUE(open.help);
        PressButton(open.help, IDC_SUPPORT_SITE);
        MessageBoxView box;
        ASSERT_TRUE(WaitForMessageBox(open.program.id(), kTimeout, box)) << support;
        EXPECT_EQ("TAVIL Hardware Diagnostics", box.caption);
        EXPECT_EQ("Invalid ini file! --- (E-NORMAL-008)", box.text) << support.substr(0, 60);
        PressButton(box.hwnd, IDOK);
        WaitUntil([&] { return !::IsWindow(box.hwnd); }, kTimeout);
        open.Close();
    }

    // A configured link is opened by the shell: here a script that leaves a mark.
    DemoInstallation installation;
    const std::string opener = installation.Path("open-support.cmd"), opened = installation.Path("opened.txt");
    WriteWholeFile(opener, "@echo opened> \"%~dp0opened.txt\"\r\n");
    WriteWholeFile(installation.Path("tavilhwdiag.ini"), "[log]\r\npath=a:\\\r\n[SUPPORT]\r\nlink=" + opener + "\r\n");
    HelpOpen open(installation);
    ASSERT_TRUE(open.help);
    PressButton(open.help, IDC_SUPPORT_SITE);
    EXPECT_TRUE(WaitUntil([&] { return Exists(opened); }, kTimeout)) << "the link was not opened";
    open.Close();
}

TEST(HelpWindow, RecoveryInstallationHasNoSupportButton) {
    DemoInstallation installation;
    installation.Write("initest.vhd", "TYPE=RECOVERY\n[MAX_REPEAT_TIMES]\nREPEATTIMES=1\n", true);
    HelpOpen open(installation);
    ASSERT_TRUE(open.help);
    EXPECT_FALSE(IsShown(Control(open.help, IDC_SUPPORT_SITE)));
    open.Close();
}
