// perfmode.exe started in a temporary installation folder and driven from
// outside: the waiting change, choosing and storing a mode, Default, the
// failures of start-up, the second copy.  Restart requests are recorded
// in a file of the folder instead of restarting Wine.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "EndToEnd.h"
#include "framework/Handles.h"
#include "perfmode/UserRights.h"
#include "perfmode_resource_ids.h"

using namespace uidriver;

namespace {

// A text of the built resource library (the texts the user sees).
std::string PerfResText(UINT id) {
    static fw::Library library(
        ::LoadLibraryExA(TAVIL_INSTALLATION_DIR "\\PerfRes.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    char text[1024] = "";
    ::LoadStringA(library.get(), id, text, sizeof text);
    return text;
}

// A copy of the installation whose MrcUtils.dll is registered, with a
// firmware state of its own and restart requests recorded in restarts.txt.
class PerfModeInstallation : public DemoInstallation {
public:
    explicit PerfModeInstallation(unsigned stateWord = 0, unsigned machineId = 75) {
        SetFirmware(stateWord, machineId);
        SetMachineUtilityPath(Path("MrcUtils.dll"));
        ::SetEnvironmentVariableA("PERFMODE_RESTART_RECORD", Path("restarts.txt").c_str());
    }
    ~PerfModeInstallation() { ::SetEnvironmentVariableA("PERFMODE_RESTART_RECORD", nullptr); }

    void SetFirmware(unsigned stateWord, unsigned machineId, bool idReadable = true) const {
        std::ostringstream ini;
        ini << "[Firmware]\r\nStateWord=" << stateWord << "\r\nMachineID=" << machineId
            << "\r\nMachineIDReadable=" << (idReadable ? 1 : 0) << "\r\n";
        Write("MrcUtils.ini", ini.str(), false);
    }
    unsigned StateWord() const {
        return ::GetPrivateProfileIntA("Firmware", "StateWord", 0xFFFF, Path("MrcUtils.ini").c_str());
    }
    int Restarts() const {
        std::ifstream record(Path("restarts.txt"));
        int count = 0;
        for (std::string line; std::getline(record, line);)
            count += line == "restart" ? 1 : 0;
        return count;
    }
    std::string Perfmode() const { return Path("perfmode.exe"); }
};

// The Performance dialog of `program` (a message box has the same title).
HWND DialogOf(Process& program) {
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
            dialog = WaitForWindow(program.id(), "#32770", "Performance", 0);
            return Control(dialog, IDC_PERF_APPLY) != nullptr;
        },
        kTimeout);
    return Control(dialog, IDC_PERF_APPLY) ? dialog : nullptr;
}

bool IsChecked(HWND dialog, int id) { return ::SendMessageA(Control(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

// Waits for a message box with `text`, presses `answer`.
void Answer(Process& program, const std::string& text, int answer) {
    MessageBoxView box;
    ASSERT_TRUE(WaitForMessageBox(program.id(), kTimeout, box)) << "no message box: " << text;
    EXPECT_EQ("Performance", box.caption);
    EXPECT_EQ(text, box.text);
    PressButton(box.hwnd, answer);
    WaitUntil([&] { return !::IsWindow(box.hwnd); }, kTimeout);
}

void ExpectEndWithoutWindows(Process& program) {
    ASSERT_TRUE(program.WaitForExit(kTimeout)) << "perfmode did not end";
    EXPECT_EQ(0, program.ExitCode());
}

void ChooseMode(HWND dialog, int id) {
    ClickButton(dialog, id);
    WaitUntil([&] { return IsChecked(dialog, id); }, kTimeout);
    ::SendMessageA(dialog, WM_NULL, 0, 0); // the click's notice has been handled
}

} // namespace

TEST(PerfMode, WaitingChangeYesRestartsAndEnds) {
    PerfModeInstallation installation(0x10); // performance stored, power saving in effect
    Process program(installation.Perfmode(), "", installation.directory());
    Answer(program, PerfResText(IDS_ASK_WAITING_CHANGE), IDYES);
    ExpectEndWithoutWindows(program);
    EXPECT_EQ(1, installation.Restarts());
    EXPECT_EQ(0x10u, installation.StateWord()) << "the waiting change stays stored";
}

TEST(PerfMode, WaitingChangeNoWithdrawsItAndShowsTheActiveMode) {
    PerfModeInstallation installation(0x10);
    Process program(installation.Perfmode(), "", installation.directory());
    Answer(program, PerfResText(IDS_ASK_WAITING_CHANGE), IDNO);
    HWND dialog = DialogOf(program);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(IsChecked(dialog, IDC_MODE_POWER_SAVING));
    EXPECT_FALSE(IsChecked(dialog, IDC_MODE_PERFORMANCE));
    EXPECT_FALSE(IsEnabledWindow(Control(dialog, IDC_PERF_APPLY)));
    EXPECT_EQ(0x00u, installation.StateWord()) << "the waiting change is withdrawn";
    PressButton(dialog, IDCANCEL);
    ExpectEndWithoutWindows(program);
    EXPECT_EQ(0, installation.Restarts());
}

TEST(PerfMode, DialogShowsTheStoredModeAndItsButtonRow) {
    PerfModeInstallation installation(0x11); // performance selected and active
    Process program(installation.Perfmode(), "", installation.directory());
    HWND dialog = DialogOf(program);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(IsChecked(dialog, IDC_MODE_PERFORMANCE));
    EXPECT_EQ(PerfResText(IDS_PERF_INTRODUCTION), WindowText(Control(dialog, IDC_PERF_TEXT_TOP)));
    EXPECT_EQ(PerfResText(IDS_PERF_NOTE), WindowText(Control(dialog, IDC_PERF_TEXT_BOTTOM)));
    const struct {
        int id;
        UINT text;
        bool enabled;
    } buttons[] = {{IDOK, IDS_BUTTON_OK, true},
                   {IDCANCEL, IDS_BUTTON_CANCEL, true},
                   {IDC_PERF_APPLY, IDS_BUTTON_APPLY, false},
                   {IDC_PERF_DEFAULT, IDS_BUTTON_DEFAULT, true},
                   {IDC_PERF_HELP, IDS_BUTTON_HELP, true}};
    int previousRight = -1;
    for (const auto& button : buttons) {
        SCOPED_TRACE(button.id);
        HWND control = Control(dialog, button.id);
        ASSERT_TRUE(control);
        EXPECT_EQ(PerfResText(button.text), WindowText(control));
        EXPECT_EQ(button.enabled, IsEnabledWindow(control));
        RECT rect;
        ::GetWindowRect(control, &rect);
        EXPECT_GT(rect.left, previousRight) << "buttons in the order OK, Cancel, Apply, Default, Help";
        previousRight = rect.right;
    }
    EXPECT_TRUE(::GetWindowLongA(dialog, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    PressButton(dialog, IDCANCEL);
    ExpectEndWithoutWindows(program);
}

TEST(PerfMode, OtherModeAndBackThenOkStoresNothing) {
    PerfModeInstallation installation(0x00);
    Process program(installation.Perfmode(), "", installation.directory());
    HWND dialog = DialogOf(program);
    ASSERT_TRUE(dialog);
    ChooseMode(dialog, IDC_MODE_PERFORMANCE);
    EXPECT_TRUE(IsEnabledWindow(Control(dialog, IDC_PERF_APPLY)));
    ChooseMode(dialog, IDC_MODE_POWER_SAVING);
    PressButton(dialog, IDOK);
    ExpectEndWithoutWindows(program); // no question on the way
    EXPECT_EQ(0x00u, installation.StateWord());
    EXPECT_EQ(0, installation.Restarts());
}

TEST(PerfMode, NoAfterOkKeepsTheDialogWithTheActiveMode) {
    PerfModeInstallation installation(0x00);
    Process program(installation.Perfmode(), "", installation.directory());
    HWND dialog = DialogOf(program);
    ASSERT_TRUE(dialog);
    ChooseMode(dialog, IDC_MODE_PERFORMANCE);
    PressButton(dialog, IDOK);
    Answer(program, PerfResText(IDS_ASK_APPLY), IDNO);
    ::SendMessageA(dialog, WM_NULL, 0, 0);
    EXPECT_FALSE(program.WaitForExit(300)) << "the dialog closed after No";
    EXPECT_TRUE(IsChecked(dialog, IDC_MODE_POWER_SAVING));
    EXPECT_TRUE(IsEnabledWindow(Control(dialog, IDC_PERF_APPLY)));
    EXPECT_EQ(0x00u, installation.StateWord());
    PressButton(dialog, IDCANCEL);
    ExpectEndWithoutWindows(program);
    EXPECT_EQ(0, installation.Restarts());
}

TEST(PerfMode, OkWithANewModeAndYesStoresItAndRestartsOnce) {
    PerfModeInstallation installation(0x00);
    Process program(installation.Perfmode(), "", installation.directory());
    HWND dialog = DialogOf(program);
    ASSERT_TRUE(dialog);
    ChooseMode(dialog, IDC_MODE_PERFORMANCE);
    PressButton(dialog, IDOK);
    Answer(program, PerfResText(IDS_ASK_APPLY), IDYES);
    ExpectEndWithoutWindows(program);
    EXPECT_EQ(0x10u, installation.StateWord()) << "performance selected, power saving still active";
    EXPECT_EQ(1, installation.Restarts());

    // The next start finds the change waiting.
    Process again(installation.Perfmode(), "", installation.directory());
    Answer(again, PerfResText(IDS_ASK_WAITING_CHANGE), IDNO);
    HWND dialogAgain = DialogOf(again);
    ASSERT_TRUE(dialogAgain);
    PressButton(dialogAgain, IDCANCEL);
    ExpectEndWithoutWindows(again);
    EXPECT_EQ(1, installation.Restarts());
}

TEST(PerfMode, DefaultSelectsTheMachinesFactoryMode) {
    const struct {
        unsigned machineId;
        bool changes; // the default differs from the power saving selected
    } cases[] = {{75, true}, {12, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.machineId);
        PerfModeInstallation installation(0x00, c.machineId);
        Process program(installation.Perfmode(), "", installation.directory());
        HWND dialog = DialogOf(program);
        ASSERT_TRUE(dialog);
        PressButton(dialog, IDC_PERF_DEFAULT);
        Answer(program, PerfResText(IDS_ASK_DEFAULT), IDOK);
        ::SendMessageA(dialog, WM_NULL, 0, 0);
        EXPECT_EQ(c.changes, IsChecked(dialog, IDC_MODE_PERFORMANCE));
        EXPECT_EQ(c.changes, IsEnabledWindow(Control(dialog, IDC_PERF_APPLY)));
        PressButton(dialog, IDCANCEL);
        ExpectEndWithoutWindows(program);
        EXPECT_EQ(0x00u, installation.StateWord());
    }
}

TEST(PerfMode, StartFailuresShowTheirMessagesInOrderAndEndCleanly) {
    const std::string failed = PerfResText(IDS_MRCUTILS_FAILED), cannotStart = PerfResText(IDS_CANNOT_START);
    const std::string exportMissing = "A function is missing from ''MrcUtils.dll''. " + failed;
    const struct {
        const char* name;
        DWORD type;       // 0: no registry value
        const char* path; // relative to the folder; "" an empty value
        bool idReadable;
        std::vector<std::string> messages;
    } cases[] = {
        {"no registry value", 0, "", true, {failed, cannotStart}},
        {"expandable string", REG_EXPAND_SZ, "MrcUtils.dll", true, {failed, cannotStart}},
        {"empty path", REG_SZ, "", true, {failed, cannotStart}},
        {"missing file", REG_SZ, "NoSuch.dll", true, {failed, cannotStart}},
        {"export missing", REG_SZ, "MrcUtilsNoExport.dll", true, {exportMissing, failed, cannotStart}},
        {"machine ID not read", REG_SZ, "MrcUtils.dll", false, {failed, cannotStart}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PerfModeInstallation installation;
        installation.CopyIn(TEST_MRCUTILS_NO_EXPORT, "MrcUtilsNoExport.dll");
        installation.SetFirmware(0, 75, c.idReadable);
        if (c.type == 0)
            RemoveMachineUtilityPath();
        else
            SetMachineUtilityPath(*c.path ? installation.Path(c.path) : "", c.type);
        Process program(installation.Perfmode(), "", installation.directory());
        for (const std::string& message : c.messages)
            Answer(program, message, IDOK);
        ExpectEndWithoutWindows(program);
    }
}

TEST(PerfMode, ResourceLibraryFailures) {
    {
        SCOPED_TRACE("PerfRes.dll missing");
        PerfModeInstallation installation;
        installation.Remove("PerfRes.dll");
        Process program(installation.Perfmode(), "", installation.directory());
        Answer(program, "Cannot open dynamic link library ''PerfRes.dll''.", IDOK);
        ExpectEndWithoutWindows(program);
    }
    {
        SCOPED_TRACE("PerfRes.dll without the dialog");
        PerfModeInstallation installation;
        installation.Remove("PerfRes.dll");
        installation.CopyIn(TEST_PERFRES_NO_DIALOG, "PerfRes.dll");
        Process program(installation.Perfmode(), "", installation.directory());
        Answer(program, PerfResText(IDS_DIALOG_FAILED), IDOK);
        ExpectEndWithoutWindows(program);
    }
}

// The single-instance mutex cannot be made when its name is taken by an
// object of another kind: 6174, and the program ends.
TEST(PerfMode, MutexThatCannotBeMadeEndsWithCannotStart) {
    PerfModeInstallation installation;
    fw::Handle squatter(::CreateEventA(nullptr, TRUE, FALSE, "Performance"));
    ASSERT_TRUE(squatter);
    Process program(installation.Perfmode(), "", installation.directory());
    Answer(program, PerfResText(IDS_CANNOT_START), IDOK);
    ExpectEndWithoutWindows(program);
}

TEST(PerfMode, SecondCopyBringsTheFirstToTheFrontAndEndsSilently) {
    PerfModeInstallation installation;
    Process first(installation.Perfmode(), "", installation.directory());
    HWND dialog = DialogOf(first);
    ASSERT_TRUE(dialog);
    Process second(installation.Perfmode(), "", installation.directory());
    ASSERT_TRUE(second.WaitForExit(kTimeout));
    EXPECT_EQ(0, second.ExitCode());
    EXPECT_TRUE(TopWindows(second.id()).empty());
    EXPECT_EQ(dialog, ::GetForegroundWindow());
    PressButton(dialog, IDCANCEL);
    ExpectEndWithoutWindows(first);
}

// A user whose Administrators membership is deny-only (a restricted token,
// as a standard user's filtered token has it) is refused with 6175.
TEST(PerfMode, NonAdministratorIsRefused) {
    PerfModeInstallation installation;
    fw::Handle process;
    ASSERT_TRUE(::OpenProcessToken(::GetCurrentProcess(), TOKEN_ALL_ACCESS, process.receive()));
    fw::Sid administrators = perfmode::AdministratorsSid();
    ASSERT_TRUE(administrators);
    SID_AND_ATTRIBUTES disable{administrators.get(), 0};
    fw::Handle restricted;
    ASSERT_TRUE(::CreateRestrictedToken(process.get(), 0, 1, &disable, 0, nullptr, 0, nullptr, restricted.receive()));

    std::string commandLine = "\"" + installation.Perfmode() + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(::CreateProcessAsUserA(restricted.get(), nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                       installation.directory().c_str(), &startup, &started));
    fw::Handle child(started.hProcess), thread(started.hThread);
    MessageBoxView box;
    ASSERT_TRUE(WaitForMessageBox(started.dwProcessId, kTimeout, box)) << "no refusal";
    EXPECT_EQ(PerfResText(IDS_NOT_ADMINISTRATOR), box.text);
    PressButton(box.hwnd, IDOK);
    EXPECT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(child.get(), kTimeout));
    EXPECT_TRUE(TopWindows(started.dwProcessId).empty());
}

// A right click on a radio button opens the "What's This?" menu; on a
// text field (which ignores right clicks) and on the dialog's background
// it does not.
TEST(PerfMode, RightClickOffersWhatsThisOnControlsWithAMenu) {
    PerfModeInstallation installation;
    Process program(installation.Perfmode(), "", installation.directory());
    HWND dialog = DialogOf(program);
    ASSERT_TRUE(dialog);
    const struct {
        int id; // 0: the dialog itself
        bool menu;
    } cases[] = {{IDC_MODE_PERFORMANCE, true}, {IDC_PERF_TEXT_TOP, false}, {0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        HWND clicked = c.id ? Control(dialog, c.id) : dialog;
        LPARAM at = MAKELPARAM(4, 4); // client pixels: inside the control, or clear of them
        ::PostMessageA(clicked, WM_RBUTTONDOWN, MK_RBUTTON, at);
        ::PostMessageA(clicked, WM_RBUTTONUP, 0, at);
        HWND menu = nullptr;
        bool shown = WaitUntil(
            [&] {
                std::vector<HWND> menus = TopWindows(program.id(), "#32768");
                menu = menus.empty() ? nullptr : menus.front();
                return menu != nullptr;
            },
            c.menu ? kTimeout : 500);
        EXPECT_EQ(c.menu, shown);
        if (menu) {
            ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
            WaitUntil([&] { return TopWindows(program.id(), "#32768").empty(); }, kTimeout);
        }
    }
    PressButton(dialog, IDCANCEL);
    ExpectEndWithoutWindows(program);
}
