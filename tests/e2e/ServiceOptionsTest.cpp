// The run options of a service (Final Inspection) installation in the real
// program: the controls and their states by page and module, the Test
// Times dialog of a batch run, the Beep box's reminder, and the
// log-directory prompt's outcomes with where the next log goes.
#include <gtest/gtest.h>

#include "EndToEnd.h"
#include "tavilcheck/ui/ServiceOptions.h"
#include "tests/TestFiles.h"

using tavil::Exists;
using tavil::ProfileValue;
using tavil::ReadWholeFile;

namespace {

const char kDefinitions[] =
    "[INSTALLATION]\nTYPE=SERVICE\n[MAX_REPEAT_TIMES]\nREPEATTIMES=\n"
    "[FASTCHECK]\nNUM=2\nTEST_0=pass_module.dll\nTEST_1=fail_module.dll\nREPEAT_ENABLE=5\n"
    "[MODULE_0]\nTESTNAME=Once\nTESTFILE=pass_module.dll\nWINDOW_TYPE=DEFAULT\nREPEAT_ENABLE=0\n"
    "[MODULE_1]\nTESTNAME=Five\nTESTFILE=pass_module.dll\nWINDOW_TYPE=DEFAULT\nREPEAT_ENABLE=5\n";

struct Service {
    DemoInstallation installation;
    std::unique_ptr<Process> program;
    HWND window = nullptr;

    Service() {
        // A service installation keeps its data files plain.
        installation.Write("initest.vhd", kDefinitions, false);
        installation.Write("uimot.vhd", ReadWholeFile(TAVIL_DEMO_INTERFACE_TEXTS), false);
        for (const char* module : {"pass_module.dll", "fail_module.dll"})
            installation.CopyIn(std::string(TEST_MODULES_DIR "\\") + module, module);
    }
    bool Start() {
        program = std::make_unique<Process>(installation.Program(), "", installation.directory());
        window = MainWindowOf(*program);
        return window != nullptr;
    }
    HWND Option(int id) const { return Control(window, id); }
    MessageBoxView Box() {
        MessageBoxView box;
        EXPECT_TRUE(WaitForMessageBox(program->id(), kTimeout, box)) << "no message box";
        return box;
    }
    void Answer(MessageBoxView& box, int button) {
        PressButton(box.hwnd, button);
        WaitUntil([&] { return !::IsWindow(box.hwnd); }, kTimeout);
    }
    bool Checked(int id) const { return ::SendMessageA(Option(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
};

RECT ClientPlace(HWND window, HWND control) {
    RECT place{};
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

} // namespace

TEST(ServiceOptions, ControlsTheirPlacesAndStatesByPageAndModule) {
    Service service;
    ASSERT_TRUE(service.Start());
    struct Option {
        int id;
        const char* text;
        RECT place;
    } controls[] = {
        {tavil::IDC_LOOP_GROUP, "Loop", {331, 407, 405, 450}},
        {tavil::IDC_LOOP_EDIT, "5", {338, 425, 383, 445}},
        {tavil::IDC_LOOP_SPIN, "", {383, 425, 398, 445}},
        {tavil::IDC_WITHOUT_LOGS, "Test Without Logs", {190, 400, 326, 420}},
        {tavil::IDC_STOP_WHEN_ERROR, "Stop When Error", {190, 420, 326, 440}},
        {tavil::IDC_BEEP_WHEN_ERROR, "Beep When Error", {190, 440, 326, 460}},
    };
    for (const Option& c : controls) {
        HWND control = service.Option(c.id);
        ASSERT_TRUE(control) << c.id;
        EXPECT_EQ(c.text, WindowText(control)) << c.id;
        const RECT place = ClientPlace(service.window, control);
        EXPECT_EQ(c.place.left, place.left) << c.id;
        EXPECT_EQ(c.place.top, place.top) << c.id;
        EXPECT_TRUE(IsShown(control) && IsEnabledWindow(control)) << c.id << " on the batch page";
    }
    EXPECT_TRUE(service.Checked(tavil::IDC_WITHOUT_LOGS)) << "no logs unless asked for";
    EXPECT_TRUE(service.Checked(tavil::IDC_STOP_WHEN_ERROR));
    EXPECT_FALSE(service.Checked(tavil::IDC_BEEP_WHEN_ERROR));
    // REPEATTIMES is empty: the spin goes up to 1000.
    ::SendMessageA(service.Option(tavil::IDC_LOOP_SPIN), UDM_SETPOS32, 0, 5000);
    EXPECT_EQ(1000, ::SendMessageA(service.Option(tavil::IDC_LOOP_SPIN), UDM_GETPOS32, 0, 0));

    HWND individual = ChooseTab(service.window, 1);
    ASSERT_TRUE(individual);
    HWND edit = service.Option(tavil::IDC_LOOP_EDIT);
    EXPECT_EQ("0", WindowText(edit)) << "no module chosen";
    EXPECT_FALSE(IsEnabledWindow(edit));
    struct Module {
        int item;
        const char* loop;
        bool enabled;
    } modules[] = {{1, "1", false}, {1, "5", true}}; // the first choice takes the list's placeholder away
    for (const Module& m : modules) {
        ChooseListItem(individual, IDC_MODULE_LIST, m.item);
        EXPECT_TRUE(WaitUntil([&] { return WindowText(edit) == m.loop; }, kTimeout)) << WindowText(edit);
        EXPECT_EQ(m.enabled, IsEnabledWindow(edit));
        EXPECT_EQ(m.enabled, IsEnabledWindow(service.Option(tavil::IDC_LOOP_SPIN)));
    }
    // The Loop value is the repeat value of a module that may repeat.
    PressButton(individual, IDC_RUN);
    WaitForRunEnd(service.window);
    const std::string output = WindowText(Control(individual, IDC_OUTPUT));
    EXPECT_NE(std::string::npos, output.find("pass module: repeat 5")) << output;
    PressButton(individual, IDC_RUN); // Back
    EXPECT_TRUE(WaitUntil([&] { return WindowText(Control(individual, IDC_RUN)) == "Run Test"; }, kTimeout));

    ChooseTab(service.window, 2);
    for (const Option& c : controls)
        EXPECT_FALSE(IsShown(service.Option(c.id))) << c.id << " on the Tools page";
    CloseAndExpectExit(*service.program, service.window);
}

TEST(ServiceOptions, TestTimesDialogSetsEachEntrysCountAndCancelIsAnAbort) {
    Service service;
    ASSERT_TRUE(service.Start());
    HWND batch = Pages(service.window)[0];
    ::SendMessageA(service.Option(tavil::IDC_LOOP_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1"));
    for (bool cancel : {false, true}) {
        PressButton(batch, IDC_RUN);
        HWND dialog = WaitForWindow(service.program->id(), "#32770", " Final Inspection ", kTimeout);
        ASSERT_TRUE(dialog) << "no Test Times dialog";
        HWND list = Control(dialog, IDC_TEST_TIMES_LIST);
        ASSERT_EQ(2, ListViewCount(list));
        EXPECT_EQ("pass_module", ListViewText(list, 0));
        EXPECT_TRUE(IsListViewRowChecked(list, 0) && IsListViewRowChecked(list, 1));
        if (cancel) {
            PressButton(dialog, IDCANCEL);
        } else {
            CheckListViewRow(list, 1, false); // the failing module is not run
            ClickListViewCell(list, 0, 1);
            HWND cell = nullptr;
            ASSERT_TRUE(WaitUntil([&] { return (cell = ::FindWindowExA(list, nullptr, "Edit", nullptr)) != nullptr; },
                                  kTimeout))
                << "no edit over the Test Times cell";
            EXPECT_EQ("1", WindowText(cell));
            ::SendMessageA(cell, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("3abc"));
            PressButton(dialog, IDOK);
        }
        WaitForRunEnd(service.window);
        const std::string output = WindowText(Control(batch, IDC_OUTPUT));
        if (cancel) {
            EXPECT_EQ(std::string::npos, output.find("pass module")) << output;
        } else {
            EXPECT_NE(std::string::npos, output.find("pass module: repeat 3")) << output;
            EXPECT_EQ(std::string::npos, output.find("fail module")) << output;
        }
        PressButton(batch, IDC_RUN); // Back
        EXPECT_TRUE(WaitUntil([&] { return WindowText(Control(batch, IDC_RUN)) == "Run Test"; }, kTimeout));
    }
    CloseAndExpectExit(*service.program, service.window);
}

TEST(ServiceOptions, BeepBoxRemindsOfTheSpeaker) {
    Service service;
    ASSERT_TRUE(service.Start());
    ClickButton(service.window, tavil::IDC_BEEP_WHEN_ERROR);
    MessageBoxView box = service.Box();
    EXPECT_EQ("Beep when error", box.caption);
    EXPECT_EQ("Please make sure that the PC Beep is NOT in mute mode, and the volume is large enough to be heard!",
              box.text);
    service.Answer(box, IDOK);
    EXPECT_TRUE(service.Checked(tavil::IDC_BEEP_WHEN_ERROR));
    ClickButton(service.window, tavil::IDC_BEEP_WHEN_ERROR); // off again: no box
    MessageBoxView none;
    EXPECT_FALSE(WaitForMessageBox(service.program->id(), 500, none));
    CloseAndExpectExit(*service.program, service.window);
}

TEST(ServiceOptions, LogDirectoryPromptOutcomesAndWhereTheNextLogGoes) {
    Service service;
    const std::string existing = service.installation.Path("logs"), created = service.installation.Path("new");
    const std::string deep = service.installation.Path("a\\b");
    ::CreateDirectoryA(existing.c_str(), nullptr);
    ASSERT_TRUE(service.Start());
    struct Case {
        const char* what;
        std::string typed; // empty: Cancel
        bool loggingOn;
    } cases[] = {
        {"Cancel", "", false},
        {"two levels below", deep, false},
        {"a new folder whose parent exists", created, true},
        {"an existing folder without its backslash", existing, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!service.Checked(tavil::IDC_WITHOUT_LOGS))
            ClickButton(service.window, tavil::IDC_WITHOUT_LOGS); // logging off, no prompt
        ASSERT_TRUE(WaitUntil([&] { return service.Checked(tavil::IDC_WITHOUT_LOGS); }, kTimeout));
        ClickButton(service.window, tavil::IDC_WITHOUT_LOGS);
        HWND prompt = WaitForWindow(service.program->id(), "#32770", "Select the log directory", kTimeout);
        ASSERT_TRUE(prompt);
        EXPECT_EQ("C:\\TAVIL\\Logs\\", WindowText(Control(prompt, IDC_LOG_DIRECTORY_EDIT))) << "[log] path proposed";
        if (c.typed.empty()) {
            // The folder browser, cancelled, changes nothing.
            PressButton(prompt, IDC_LOG_DIRECTORY_BROWSE);
            HWND browser = nullptr;
            EXPECT_TRUE(WaitUntil(
                [&] {
                    for (HWND top : TopWindows(service.program->id(), "#32770"))
                        for (HWND text : Descendants(top, "Static"))
                            if (WindowText(text) == "Pick a Directory for log files:")
                                return (browser = top) != nullptr;
                    return false;
                },
                kTimeout))
                << "no folder browser";
            if (browser) {
                SendCommand(browser, IDCANCEL);
                EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(browser); }, kTimeout));
            }
            EXPECT_EQ("C:\\TAVIL\\Logs\\", WindowText(Control(prompt, IDC_LOG_DIRECTORY_EDIT)));
            PressButton(prompt, IDCANCEL);
        } else {
            ::SendMessageA(Control(prompt, IDC_LOG_DIRECTORY_EDIT), WM_SETTEXT, 0,
                           reinterpret_cast<LPARAM>(c.typed.c_str()));
            PressButton(prompt, IDOK);
            if (!c.loggingOn) {
                MessageBoxView box = service.Box();
                EXPECT_EQ("Warning", box.caption);
                EXPECT_EQ("Cannot find the log directory, log file will never be created.", box.text);
                service.Answer(box, IDOK);
            }
        }
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(prompt); }, kTimeout));
        EXPECT_EQ(!c.loggingOn, service.Checked(tavil::IDC_WITHOUT_LOGS));
    }
    EXPECT_TRUE(Exists(created)) << "one level created";
    EXPECT_FALSE(Exists(deep));

    // The next run logs into the folder chosen last.
    HWND batch = Pages(service.window)[0];
    PressButton(batch, IDC_RUN);
    HWND dialog = WaitForWindow(service.program->id(), "#32770", " Final Inspection ", kTimeout);
    ASSERT_TRUE(dialog);
    PressButton(dialog, IDOK);
    WaitForRunEnd(service.window);
    EXPECT_TRUE(Exists(existing + "\\hwck_log00.txt"));
    const std::string history = existing + "\\report.tmp";
    EXPECT_EQ("1", ProfileValue(history, "HISTORY_NUM", "NUM"));
    EXPECT_EQ(std::string("FinalInspection\t\tFailed"), ProfileValue(history, "HISTORY_0", "RESULT"))
        << "the failing entry ran this time";

    // A cancelled Test Times dialog is recorded as an Abort.
    PressButton(batch, IDC_RUN); // Back
    EXPECT_TRUE(WaitUntil([&] { return WindowText(Control(batch, IDC_RUN)) == "Run Test"; }, kTimeout));
    PressButton(batch, IDC_RUN);
    dialog = WaitForWindow(service.program->id(), "#32770", " Final Inspection ", kTimeout);
    ASSERT_TRUE(dialog);
    PressButton(dialog, IDCANCEL);
    WaitForRunEnd(service.window);
    EXPECT_EQ("2", ProfileValue(history, "HISTORY_NUM", "NUM"));
    EXPECT_EQ(std::string("FinalInspection\t\tAbort"), ProfileValue(history, "HISTORY_0", "RESULT"));
    PressButton(batch, IDC_RUN); // Back
    CloseAndExpectExit(*service.program, service.window);
}
