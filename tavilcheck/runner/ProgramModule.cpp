#include "ProgramModule.h"

#include <windows.h>

#include <cstdio>

#include "CCallDllThread.h"
#include "OutputCapture.h"
#include "ProgramCommandLine.h"
#include "ProgramProcess.h"
#include "RunProgress.h"
#include "RunningProgram.h"
#include "framework/ResourceSource.h"
#include "resource_ids.h"

namespace tavil {

namespace {

constexpr COLORREF kErrorBlockYellow = 0x00FFFF;
constexpr COLORREF kResultRed = 0x0000FF;
const char kErrorBlock[] = "===========================\r\n\tError found here\r\n"
                           "===========================\r\n\r\n";
const char kDetailHead[] = "=-=-=-=-=-= The detail of the test result =-=-=-=-=-=\r\n\r\n";
// A detail file is shown up to this size; a program that wrote more must
// not make the run hold all of it in memory.
constexpr long kMaxDetailBytes = 1 << 20;

// One repetition's program: why it did not start, or its exit code.
struct Launch {
    StartFailure failure;
    int32_t exitCode = 0;
};

Launch RunCaptured(HWND window, const std::string& commandLine) {
    Launch launch;
    OutputCapture capture(window, commandLine);
    if (!capture.Start()) {
        launch.failure = FailedStep("CreateThread");
        return launch;
    }
    capture.Wait(INFINITE);
    launch.failure = capture.failure();
    launch.exitCode = static_cast<int32_t>(capture.ExitCode());
    return launch;
}

Launch RunInWindow(const std::string& commandLine, WORD showState) {
    Launch launch;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showState;
    ProgramProcess program;
    launch.failure = program.Start(commandLine, startup, 0);
    if (launch.failure)
        return launch;
    g_runningProgram.SetChild(program);
    launch.exitCode = static_cast<int32_t>(program.WaitForExit());
    g_runningProgram.ForgetChild();
    return launch;
}

// Shows the detail file (and logs it when user logs are on), then deletes it.
void ShowDetailFile(const CCallDllThread& worker, const std::string& path) {
    if (path.empty())
        return;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        std::string contents;
        char chunk[4096];
        size_t size;
        long total = 0;
        while ((size = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
            total += static_cast<long>(size);
            if (contents.size() < static_cast<size_t>(kMaxDetailBytes))
                contents.append(chunk, std::min(size, static_cast<size_t>(kMaxDetailBytes) - contents.size()));
        }
        std::fclose(file);
        if (total > kMaxDetailBytes)
            contents += "\r\n[" + std::to_string(total - kMaxDetailBytes) + " more bytes of the detail file not shown]";
        std::string section = kDetailHead + contents + "\r\n";
        if (worker.request().logEnabled)
            worker.LogText(section);
        worker.ScreenText(section);
    }
    ::DeleteFileA(path.c_str());
}

} // namespace

void ShowFailure(const CCallDllThread& worker) {
    worker.ColouredText(kErrorBlock, kErrorBlockYellow);
    worker.ResultColour(false, kResultRed);
}

ProgramDetailFile PrepareDetailFile(const CCallDllThread& worker, const TestModule& module) {
    const RunRequest& request = worker.request();
    ProgramDetailFile detail;
    if (!module.logOption.empty() || request.logEnabled) {
        detail.path = request.moduleLogDirectory + "DefLog.tmp";
        g_runningProgram.SetDetailFile(detail.path); // Stop deletes it
        if (FILE* file = std::fopen(detail.path.c_str(), "w")) {
            std::fclose(file);
            detail.logDirectory = request.moduleLogDirectory; // the program is told where to write
        }
    }
    return detail;
}

int32_t RunProgramRepetitions(const CCallDllThread& worker, const ProgramLaunch& program) {
    const int loopCount = worker.request().loopCount;
    int progressBase = 0;
    int32_t result = 0;
    const std::string repetitionFormat = fw::ResourceSource::LoadString(IDS_REPETITION_LINE);
    for (int i = 0; i < loopCount && !worker.Aborted(); ++i) {
        worker.StartOfPass(0);
        if (loopCount > 1)
            worker.BothText(FormatNumbers(repetitionFormat, i + 1, loopCount));

        Launch launch = program.captured ? RunCaptured(worker.window(), program.commandLine)
                                         : RunInWindow(program.commandLine, static_cast<WORD>(program.showState));
        if (launch.failure) {
            // Not a pass: the module was not tested at all.
            worker.BothText(NotStartedText(program.programPath, launch.failure));
            ShowFailure(worker);
            result = TAVIL_RESULT_NOT_STARTED;
            if (!program.detailFile.empty())
                ::DeleteFileA(program.detailFile.c_str());
            break;
        }
        if (!program.captured)
            worker.BothText(launch.exitCode != 0 ? "Failed\r\n" : "OK\r\n");
        char exitLine[64];
        std::snprintf(exitLine, sizeof exitLine, "ExitCode=%d\r\n\r\n\r\n", static_cast<int>(launch.exitCode));
        worker.BothText(exitLine);
        if (launch.exitCode != 0 && !worker.Aborted()) {
            result = launch.exitCode;
            ShowFailure(worker);
        }
        ShowDetailFile(worker, program.detailFile);
        if (launch.exitCode != 0 && (worker.runFlags() & FLAG_STOP_WHEN_ERROR))
            break;
        worker.Send(TM_PROGRESS, 0, ProgramModuleProgress(progressBase, loopCount));
    }
    return result;
}

int32_t RunProgramModule(const CCallDllThread& worker, const TestModule& module) {
    const std::string moduleDirectory = ProgramModuleDirectory(worker.request().programDirectory, module.testSubdir);
    const ProgramDetailFile detail = PrepareDetailFile(worker, module);
    ProgramLaunch program;
    program.commandLine = ProgramCommandLine(moduleDirectory, module.testFile, detail.logDirectory);
    program.programPath = moduleDirectory + module.testFile;
    program.detailFile = detail.path;
    program.captured = module.windowType == WINDOW_DEFAULT;
    // PROMPT shows the program's window, DIALOG starts it hidden.
    program.showState = module.windowType == WINDOW_PROMPT ? SW_SHOW : SW_HIDE;
    return RunProgramRepetitions(worker, program);
}

} // namespace tavil
