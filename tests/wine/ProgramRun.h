// A single run of one program module through the real worker, reporting
// to a window that records every message; the texts it showed and logged.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "RecordingWindow.h"
#include "sdk/tavil_module.h"
#include "tests/TestFiles.h"

namespace tavil {

// The test programs are built beside this test.
inline std::string TestProgramDirectory() {
    char path[MAX_PATH];
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory = path;
    return directory.substr(0, directory.rfind('\\') + 1);
}

inline const std::string kErrorBlock = "===========================\r\n\tError found here\r\n"
                                       "===========================\r\n\r\n";
inline const std::string kDetailHead = "=-=-=-=-=-= The detail of the test result =-=-=-=-=-=\r\n\r\n";

// Sets an environment variable for the length of a test.
struct ScopedVariable {
    ScopedVariable(const char* name, const char* value) : m_name(name) { ::SetEnvironmentVariableA(name, value); }
    ~ScopedVariable() { ::SetEnvironmentVariableA(m_name, nullptr); }
    const char* m_name;
};

struct ProgramRun {
    int windowType = WINDOW_DEFAULT;
    std::string testFile;
    std::string testSubdir;
    std::string logOption;
    int loopCount = 1;
    bool logEnabled = false;      // the detail file is made, and shown even when the program leaves it empty
    bool stopBeforeStart = false; // Stop comes before the worker's thread has begun
    uint32_t flags = 0;
    std::string programDirectory = TestProgramDirectory();
    std::string logDirectory = TempDirectory("tavil_program_logs");
    std::function<void(const Message&, CCallDllThread&)> onMessage;
    PhysicalDrives* physicalDrives = nullptr; // the hard-disk test's

    // Filled by Run.
    RecordingWindow window;
    int32_t result = -12345;
    std::vector<std::string> screen, log;

    void Run() {
        TestCatalogue catalogue;
        TestModule& module = catalogue.modules[0];
        module.windowType = windowType;
        module.testFile = testFile;
        module.testSubdir = testSubdir;
        module.logOption = logOption;
        module.testName = "Program";
        catalogue.moduleCount = 1;
        RunRequest request = SingleRequest(0, loopCount);
        request.logEnabled = logEnabled;
        request.runFlags = flags;
        request.programDirectory = programDirectory;
        request.moduleLogDirectory = logDirectory;
        request.physicalDrives = physicalDrives;
        CCallDllThread worker(window.hwnd, catalogue, request);
        if (onMessage)
            window.onMessage = [&](const Message& m) { onMessage(m, worker); };
        if (stopBeforeStart)
            worker.Abort();
        RunToEnd(worker);
        screen = window.Texts(TM_SCREEN_TEXT);
        log = window.Texts(TM_LOG_TEXT);
        auto results = window.All(TM_RUN_RESULT);
        if (results.size() == 1)
            result = static_cast<int32_t>(results[0]->lParam);
    }

    // The texts between the start banner and the exit-code line: what the
    // program wrote, piece by piece.
    static std::vector<std::string> Output(const std::vector<std::string>& texts) {
        std::vector<std::string> output;
        for (size_t i = 0; i < texts.size() && texts[i].rfind("ExitCode=", 0) != 0; ++i)
            if (texts[i] != "= Program Start =\r\n\r\n")
                output.push_back(texts[i]);
        return output;
    }
};

} // namespace tavil
