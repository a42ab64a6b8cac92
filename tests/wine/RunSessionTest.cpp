// The run session under Wine: real workers running real test modules,
// reporting to a window that routes the run's messages to the session as
// the main window does, with real run logs and history files.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "RecordingWindow.h"
#include "tests/TestFiles.h"
#include "tavilcheck/history/RunLogText.h"
#include "tavilcheck/ui/RunSession.h"

using namespace tavil;

namespace {

// A window that hands the run's messages to a session.
class SessionWindow {
public:
    SessionWindow() : hwnd(CreateTestWindow("TavilSessionWindow", Procedure, nullptr)) {}
    ~SessionWindow() { ::DestroyWindow(hwnd); }
    void Route(RunSession& session) { ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&session)); }

    HWND hwnd;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT id, WPARAM wParam, LPARAM lParam) {
        auto* session = reinterpret_cast<RunSession*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (!session)
            return ::DefWindowProcA(hwnd, id, wParam, lParam);
        switch (id) {
        case TM_RUN_RESULT:
            session->SetResult(static_cast<int32_t>(lParam));
            return 0;
        case TM_RUN_DONE:
            session->Finish();
            return 0;
        case TM_LOG_TEXT:
            session->WriteLog(reinterpret_cast<const char*>(lParam));
            return 0;
        case TM_QUERY_RUN_STATE:
            return session->RunState();
        case WM_REAP_WORKERS:
            session->Reap();
            return 0;
        case WM_TIMER:
            if (wParam == kReapTimer)
                session->OnReapTimer();
            return 0;
        }
        return ::DefWindowProcA(hwnd, id, wParam, lParam);
    }
};

RunStart QuickTest(const TestCatalogue& catalogue, const std::string& logDirectory) {
    RunStart start;
    start.request = BatchRequest(catalogue);
    start.request.logEnabled = true;
    start.request.userLogDirectory = logDirectory;
    start.request.moduleLogDirectory = logDirectory;
    start.title = "QuickTest";
    start.modelName = "TAVIL X1";
    return start;
}

// A session whose worker thread cannot be started, as when the system is
// out of threads or memory: that cannot be brought about under Wine.
class NoThreadSession : public RunSession {
public:
    using RunSession::RunSession;

protected:
    bool StartWorker(CCallDllThread&) override {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
};

} // namespace

TEST(RunSession, WorkerIsReapedWhateverTheRunResult) {
    // 259 is the system's "still active" exit code: the worker must still
    // be reaped once its thread has ended.
    for (const char* code : {"0", "5", "259"}) {
        SCOPED_TRACE(code);
        ::SetEnvironmentVariableA("TAVIL_TEST_FAIL_CODE", code);
        std::string directory = TempDirectory("tavil_session_reap");
        TestCatalogue catalogue = Batch({"fail_module.dll"});
        SessionWindow window;
        RunSession session(window.hwnd, catalogue);
        window.Route(session);
        ASSERT_FALSE(session.Start(QuickTest(catalogue, directory)));
        EXPECT_TRUE(session.Running());
        EXPECT_TRUE(PumpUntil([&] { return !session.WorkersAlive(); })) << "the worker was never deleted";
        EXPECT_EQ(std::string(code) == "0" ? "QuickTest\t\tOK" : "QuickTest\t\tFailed",
                  ProfileValue(directory + "report.tmp", "HISTORY_0", "RESULT"));
    }
    ::SetEnvironmentVariableA("TAVIL_TEST_FAIL_CODE", nullptr);
}

TEST(RunSession, RunThatCannotStartIsShownAndNotRecorded) {
    std::string directory = TempDirectory("tavil_session_no_thread");
    TestCatalogue catalogue = Batch({"pass_module.dll"});
    SessionWindow window;
    NoThreadSession session(window.hwnd, catalogue);
    window.Route(session);
    StartFailure failure = session.Start(QuickTest(catalogue, directory));
    ASSERT_TRUE(failure) << "the failure is reported";
    EXPECT_STREQ("CreateThread", failure.step);
    EXPECT_EQ(static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY), failure.error);
    EXPECT_FALSE(session.Running());
    EXPECT_FALSE(session.WorkersAlive());
    EXPECT_FALSE(Exists(directory + "report.tmp")) << "no record says OK for a run that never ran";
    const std::string log = ReadWholeFile(directory + LogFileName(0));
    EXPECT_NE(std::string::npos, log.find("The test could not be started (CreateThread): ")) << log;
}

TEST(RunSession, LockedLogIsSkippedAndTheRunStillRecorded) {
    std::string directory = TempDirectory("tavil_session_locked");
    WriteWholeFile(directory + LogFileName(0), "last run");
    WriteWholeFile(directory + LogFileName(1), "run before");
    fw::Handle locked = LockFile(directory + LogFileName(1));
    ASSERT_TRUE(locked);
    TestCatalogue catalogue = Batch({"pass_module.dll"});
    for (int run = 1; run <= 2; ++run) { // this run and every later one
        SessionWindow window;
        RunSession session(window.hwnd, catalogue);
        window.Route(session);
        ASSERT_FALSE(session.Start(QuickTest(catalogue, directory)));
        ASSERT_TRUE(PumpUntil([&] { return !session.WorkersAlive(); }));
        EXPECT_EQ(std::to_string(run), ProfileValue(directory + "report.tmp", "HISTORY_NUM", "NUM"));
        EXPECT_EQ(0u, ReadWholeFile(directory + LogFileName(0)).find("[QuickTest]\r\r\n"));
    }
}
