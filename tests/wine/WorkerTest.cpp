// The run worker under Wine: real test modules loaded and called on the
// worker thread, reporting to a real window that records every message.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "MessageBoxAnswerer.h"
#include "RecordingWindow.h"
#include "framework/ResourceSource.h"
#include "resource_ids.h"
#include "tavilcheck/runner/CCallDllThread.h"

using namespace tavil;

namespace {

std::string Str(UINT id) { return fw::ResourceSource::LoadString(id); }

const std::string kSeparator = "-------------------------\r\n";

// A Test Times dialog with scripted answers.
class ScriptedTestTimes : public TestTimesDialog {
public:
    ScriptedTestTimes(bool ok, std::vector<int> counts) : m_ok(ok), m_counts(std::move(counts)) {}
    std::vector<std::string> shownNames;
    bool Ask(const std::vector<std::string>& names, std::vector<int>& counts) override {
        shownNames = names;
        counts = m_counts;
        return m_ok;
    }

private:
    bool m_ok;
    std::vector<int> m_counts;
};

struct RunOutcome {
    std::vector<std::string> screen, log;
    int32_t result = 0;
    DWORD exitCode = 0;
    bool testTimesCancelled = false;
    std::vector<Message> messages;
};

RunOutcome RunBatch(const TestCatalogue& catalogue, uint32_t flags, int loops = 1,
                    TestTimesDialog* testTimes = nullptr) {
    RecordingWindow window;
    RunRequest request = BatchRequest(catalogue, flags, loops);
    request.testTimes = testTimes;
    CCallDllThread worker(window.hwnd, catalogue, request);
    RunToEnd(worker);
    RunOutcome outcome;
    outcome.screen = window.Texts(TM_SCREEN_TEXT);
    outcome.log = window.Texts(TM_LOG_TEXT);
    auto results = window.All(TM_RUN_RESULT);
    EXPECT_EQ(1u, results.size());
    outcome.result = results.empty() ? -12345 : static_cast<int32_t>(results[0]->lParam);
    outcome.exitCode = worker.ExitCode();
    outcome.testTimesCancelled = worker.TestTimesCancelled();
    outcome.messages = window.messages;
    EXPECT_FALSE(window.messages.empty());
    if (!window.messages.empty()) {
        EXPECT_EQ(static_cast<UINT>(TM_RUN_DONE), window.messages.back().id) << "TM_RUN_DONE comes last";
    }
    return outcome;
}

int CountOf(const RunOutcome& outcome, UINT id) {
    int count = 0;
    for (const Message& m : outcome.messages)
        count += m.id == id;
    return count;
}

} // namespace

TEST(Worker, QuickTestOfThreeModulesPasses) {
    RunOutcome run = RunBatch(Batch({"pass_module.dll", "pass_module.dll", "pass_module.dll"}), 0);
    const std::string module = "pass module: repeat 1, batch 1\r\n";
    std::vector<std::string> expected;
    for (int i = 0; i < 3; ++i)
        expected.insert(expected.end(), {module, kSeparator, "\r\n"});
    expected.push_back(Str(IDS_VERDICT_PASS));
    EXPECT_EQ(expected, run.screen);
    EXPECT_EQ(expected, run.log) << "the pass banner goes to the log, then the screen";
    EXPECT_EQ(0, run.result);
    EXPECT_EQ(0u, run.exitCode);
    EXPECT_EQ(1, CountOf(run, TM_MODULE_COUNT));
}

TEST(Worker, FailingModuleDecidesVerdictAndResult) {
    struct Case {
        uint32_t flags;
        UINT banner;
    } cases[] = {{0, IDS_VERDICT_FAIL}, {FLAG_RECOVERY, IDS_VERDICT_FAIL_PC}};
    for (const Case& c : cases) {
        RunOutcome run = RunBatch(Batch({"pass_module.dll", "fail_module.dll", "pass_module.dll"}), c.flags);
        EXPECT_EQ(5, run.result);
        EXPECT_EQ(Str(c.banner), run.screen.back());
        EXPECT_EQ(Str(c.banner), run.log.back());
        EXPECT_EQ(3, static_cast<int>(std::count(run.screen.begin(), run.screen.end(), kSeparator)))
            << "all three modules ran";
    }
    // The last non-zero result wins; a later 0 does not clear it.
    ::SetEnvironmentVariableA("TAVIL_TEST_FAIL_CODE", "9");
    RunOutcome run = RunBatch(Batch({"fail_module.dll", "pass_module.dll"}), 0);
    ::SetEnvironmentVariableA("TAVIL_TEST_FAIL_CODE", nullptr);
    EXPECT_EQ(9, run.result);
}

TEST(Worker, ModuleThatCannotBeLoadedWarnsAndFailsTheRun) {
    for (const char* broken : {"nosuch_module.dll", "noexport_module.dll"}) {
        SCOPED_TRACE(broken);
        RunOutcome run = RunBatch(Batch({"pass_module.dll", broken, "pass_module.dll"}), 0);
        // The worker asks the window for the box; it opens no window itself.
        std::vector<std::string> texts;
        for (const Message& m : run.messages)
            if (m.id == TM_MESSAGE_BOX)
                texts.push_back(m.text + " | " + m.caption + " | " + std::to_string(m.style));
        EXPECT_EQ(std::vector<std::string>{"Loading DLL failed ! --- (E-NORMAL-005) | Warning | 48"}, texts);
        EXPECT_EQ(
            2, static_cast<int>(std::count(run.screen.begin(), run.screen.end(), "pass module: repeat 1, batch 1\r\n")))
            << "the batch goes on";
        EXPECT_EQ(TAVIL_RESULT_NOT_STARTED, run.result) << "a module that was not tested is no pass";
        EXPECT_EQ(Str(IDS_VERDICT_FAIL), run.screen.back());
        EXPECT_EQ(nullptr, ::GetModuleHandleA(broken)) << "the library is unloaded";
    }
}

TEST(Worker, StopDuringBatchLetsTheModuleFinishAndRunsNoMore) {
    RecordingWindow window;
    TestCatalogue catalogue = Batch({"pollstop_module.dll", "pass_module.dll"});
    CCallDllThread worker(window.hwnd, catalogue, BatchRequest(catalogue));
    window.onMessage = [&](const Message& m) {
        if (m.text == "poll module: started\r\n") { // the user presses Stop
            window.runState = TAVIL_RUN_STATE_STOPPED;
            worker.SetRunState(TAVIL_RUN_STATE_STOPPED);
        }
    };
    RunToEnd(worker);
    std::vector<std::string> expected = {"poll module: started\r\n", "poll module: stopped\r\n",
                                         Str(IDS_VERDICT_ABORTED)};
    EXPECT_EQ(expected, window.Texts(TM_SCREEN_TEXT));
    EXPECT_EQ(Str(IDS_VERDICT_ABORTED), window.Texts(TM_LOG_TEXT).back());
}

TEST(Worker, ServiceModeBatch) {
    { // Counts from the Test Times dialog; two loops.
        ScriptedTestTimes times(true, {0, 2, 0});
        RunOutcome run =
            RunBatch(Batch({"fail_module.dll", "pass_module.dll", "fail_module.dll"}), FLAG_SERVICE, 2, &times);
        EXPECT_EQ((std::vector<std::string>{"fail_module", "pass_module", "fail_module"}), times.shownNames);
        EXPECT_EQ(0, run.result);
        std::vector<std::string> loop;
        for (int i = 1; i <= 2; ++i)
            loop.insert(loop.end(), {"====Loop Times: " + std::to_string(i) + "/2====\r\n",
                                     "pass module: repeat 2, batch 1\r\n", kSeparator, "\r\n"});
        loop.push_back(Str(IDS_VERDICT_PASS));
        EXPECT_EQ(loop, run.screen);
        EXPECT_EQ(2, CountOf(run, TM_RESTART_LOG));
        for (const Message& m : run.messages) {
            if (m.id == TM_RESTART_LOG) {
                EXPECT_EQ(1, m.lParam) << "a service loop restarts the log with lParam 1";
            } else if (m.id == TM_MODULE_COUNT) {
                EXPECT_EQ(1u, m.wParam) << "only entries with a count run";
            } else if (m.id == TM_RESULT_COLOUR) {
                EXPECT_EQ(0x00FF00, m.lParam);
            }
        }
        EXPECT_EQ(1, CountOf(run, TM_RESULT_COLOUR));
        EXPECT_FALSE(run.testTimesCancelled);
    }
    { // Cancelled: nothing runs, green box, aborted banner; the window
        // records the run as aborted.
        ScriptedTestTimes times(false, {1});
        RunOutcome run = RunBatch(Batch({"pass_module.dll"}), FLAG_SERVICE, 1, &times);
        EXPECT_EQ(std::vector<std::string>{Str(IDS_VERDICT_ABORTED)}, run.screen);
        EXPECT_EQ(0, CountOf(run, TM_MODULE_COUNT));
        EXPECT_EQ(1, CountOf(run, TM_RESULT_COLOUR));
        EXPECT_TRUE(run.testTimesCancelled);
    }
    { // Every count 0: nothing runs, and nothing failed.
        ScriptedTestTimes times(true, {0, 0});
        RunOutcome run = RunBatch(Batch({"pass_module.dll", "fail_module.dll"}), FLAG_SERVICE, 1, &times);
        EXPECT_EQ(Str(IDS_VERDICT_PASS), run.screen.back());
        EXPECT_EQ(0, CountOf(run, TM_SCREEN_TEXT) - 2) << "loop line and banner only";
    }
    { // Stop When Error: the module after the failure does not run.
        ScriptedTestTimes times(true, {1, 1});
        RunOutcome run =
            RunBatch(Batch({"fail_module.dll", "pass_module.dll"}), FLAG_SERVICE | FLAG_STOP_WHEN_ERROR, 1, &times);
        EXPECT_EQ(5, run.result);
        EXPECT_EQ(Str(IDS_VERDICT_FAIL), run.screen.back());
        EXPECT_EQ(0, static_cast<int>(
                         std::count(run.screen.begin(), run.screen.end(), "pass module: repeat 1, batch 1\r\n")));
        EXPECT_EQ(0, CountOf(run, TM_RESULT_COLOUR)) << "no green box after a failure";
    }
}

TEST(Worker, SingleAndResumeRuns) {
    TestCatalogue catalogue;
    catalogue.modules[0].testFile = "pass_module.dll";
    catalogue.modules[0].testName = "Pass";
    catalogue.modules[1].testFile = "susresrbt_echo.dll";
    catalogue.modules[2].testFile = "PASS_MODULE.DLL"; // upper case: run as a program
    catalogue.modules[2].testName = "Upper";
    catalogue.moduleCount = 3;
    struct Case {
        int slot;
        bool resume, logEnabled;
        std::vector<std::string> screen;
        int32_t result;
    } cases[] = {
        {0, 0, 0, {"pass module: repeat 3, batch 0\r\n"}, 0},
        {1, 1, 1, {"resume: [C:\\logs\\] batch 0\r\n"}, 0},
        {1, 1, 0, {"resume: [] batch 0\r\n"}, 0},
        {2,
         0,
         0,
         {"= Upper Start =\r\n\r\n", "[Times: 1/3 ]\r\n", "<not started>", "\r\n\r\n= Upper is failed =\r\n"},
         TAVIL_RESULT_NOT_STARTED},
    };
    int row = 0;
    for (const Case& c : cases) {
        RecordingWindow window;
        RunRequest request = SingleRequest(c.slot, 3);
        request.resume = c.resume;
        request.logEnabled = c.logEnabled;
        request.userLogDirectory = "C:\\logs\\";
        request.runFlags = FLAG_BATCH; // the worker clears it for these runs
        CCallDllThread worker(window.hwnd, catalogue, request);
        RunToEnd(worker);
        std::vector<std::string> screen = window.Texts(TM_SCREEN_TEXT);
        for (std::string& text : screen) // the system's reason differs between systems
            if (text.find("PASS_MODULE.DLL could not be started (CreateProcess): ") != std::string::npos)
                text = "<not started>";
        EXPECT_EQ(c.screen, screen) << "row " << row;
        ASSERT_FALSE(window.All(TM_RUN_RESULT).empty());
        EXPECT_EQ(c.result, static_cast<int32_t>(window.All(TM_RUN_RESULT)[0]->lParam)) << "row " << row;
        ++row;
    }
}

TEST(Worker, ModuleUsingTheWholeProtocol) {
    RecordingWindow window;
    TestCatalogue catalogue = Batch({"protocol_module.dll"});
    CCallDllThread worker(window.hwnd, catalogue, BatchRequest(catalogue));
    RunToEnd(worker);
    std::vector<UINT> expected = {TM_MODULE_COUNT,      TM_SCREEN_TEXT,     TM_LOG_TEXT,      TM_COLOURED_TEXT,
                                  TM_PROGRESS,          TM_MINUTES_LEFT,    TM_RESULT_COLOUR, TM_ENABLE_RUN_BUTTON,
                                  TM_ENABLE_RUN_BUTTON, TM_MESSAGE_BOX,     TM_STRING_LIST,   TM_CLEAR_OUTPUT,
                                  TM_RESTART_LOG,       TM_QUERY_LOG_READY, TM_REOPEN_LOG,    TM_SET_LOG_DIR,
                                  TM_SET_LOG_DIR,       TM_NOP_407,         TM_NOP_40C,       TM_SCREEN_TEXT,
                                  TM_STRING_LIST,       TM_QUERY_RUN_STATE, TM_PROGRESS};
    std::vector<UINT> seen;
    for (const Message& m : window.messages)
        seen.push_back(m.id);
    seen.resize(std::min(seen.size(), expected.size()));
    EXPECT_EQ(expected, seen);
    EXPECT_EQ("protocol: question", window.Texts(TM_MESSAGE_BOX).at(0));
    ASSERT_FALSE(window.All(TM_RUN_RESULT).empty());
    EXPECT_EQ(0, window.All(TM_RUN_RESULT)[0]->lParam) << "the box's answer reached the module";
}
