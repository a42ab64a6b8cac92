#include "ProgramModule.h"

#include <windows.h>

#include <cstdio>

#include "CCallDllThread.h"
#include "OutputCapture.h"
#include "ProgramCommandLine.h"
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

// One repetition's program: whether it started (and the system's reason
// when not) and its exit code.
struct Launch {
    bool started = false;
    DWORD error = 0;
    int32_t exitCode = 0;
};

Launch RunCaptured(HWND window, const std::string& commandLine) {
    Launch launch;
    OutputCapture capture(window, commandLine);
    if (!capture.Start()) {
        launch.error = ::GetLastError();
        return launch;
    }
    capture.Wait(INFINITE);
    launch.started = capture.started();
    launch.error = capture.startError();
    launch.exitCode = static_cast<int32_t>(capture.ExitCode());
    return launch;
}

Launch RunInWindow(const std::string& commandLine, WORD showState) {
    Launch launch;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showState;
    PROCESS_INFORMATION process{};
    std::string line = commandLine; // CreateProcess may write into it
    if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        launch.error = ::GetLastError();
        return launch;
    }
    launch.started = true;
    g_runningProgram.SetChild(process.hProcess);
    ::WaitForSingleObject(process.hProcess, INFINITE);
    DWORD exitCode = 0;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    launch.exitCode = static_cast<int32_t>(exitCode);
    g_runningProgram.ForgetChild();
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    return launch;
}

// "<program> could not be started: <the system's reason> (error N)".
std::string NotStartedLine(const std::string& program, DWORD error) {
    char reason[512] = "";
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, reason,
                     sizeof reason, nullptr);
    std::string text = reason;
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    if (text.empty())
        text = "unknown reason";
    return program + " could not be started: " + text + " (error " + std::to_string(error) + ")\r\n";
}

// A repetition failed: the error block and the error colour.
void ShowFailure(const CCallDllThread& worker) {
    worker.ColouredText(kErrorBlock, kErrorBlockYellow);
    worker.ResultColour(false, kResultRed);
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
        if (worker.logEnabled == 1)
            worker.LogText(section);
        worker.ScreenText(section);
    }
    ::DeleteFileA(path.c_str());
}

} // namespace

int32_t RunProgramModule(CCallDllThread& worker, const TestModule& module) {
    const std::string moduleDirectory = ProgramModuleDirectory(worker.programDirectory, module.testSubdir);
    std::string detailFile, programLogDirectory;
    if (!module.logOption.empty() || worker.logEnabled == 1) {
        detailFile = worker.moduleLogDirectory + "DefLog.tmp";
        g_runningProgram.SetDetailFile(detailFile); // Stop deletes it
        if (FILE* file = std::fopen(detailFile.c_str(), "w")) {
            std::fclose(file);
            programLogDirectory = worker.moduleLogDirectory; // the program is told where to write
        }
    }
    const std::string commandLine = ProgramCommandLine(moduleDirectory, module.testFile, programLogDirectory);
    const bool captured = module.windowType == WINDOW_DEFAULT;
    const WORD showState = module.windowType == WINDOW_PROMPT ? SW_SHOWNORMAL : SW_HIDE;
    worker.progressBase = 0;
    worker.progressDivisor = worker.loopCount;

    int32_t result = 0;
    const std::string repetitionFormat = fw::ResourceSource::LoadString(IDS_REPETITION_LINE);
    for (int i = 0; i < worker.loopCount && !worker.Aborted(); ++i) {
        worker.StartOfPass(0);
        if (worker.loopCount > 1)
            worker.BothText(FormatNumbers(repetitionFormat, i + 1, worker.loopCount));

        Launch launch = captured ? RunCaptured(worker.window(), commandLine) : RunInWindow(commandLine, showState);
        if (!launch.started) {
            // Not a pass: the module was not tested at all.
            worker.BothText(NotStartedLine(moduleDirectory + module.testFile, launch.error));
            ShowFailure(worker);
            result = TAVIL_RESULT_NOT_STARTED;
            if (!detailFile.empty())
                ::DeleteFileA(detailFile.c_str());
            break;
        }
        if (!captured)
            worker.BothText(launch.exitCode != 0 ? "Failed\r\n" : "OK\r\n");
        char exitLine[64];
        std::snprintf(exitLine, sizeof exitLine, "ExitCode=%d\r\n\r\n\r\n", static_cast<int>(launch.exitCode));
        worker.BothText(exitLine);
        if (launch.exitCode != 0 && !worker.Aborted()) {
            result = launch.exitCode;
            ShowFailure(worker);
        }
        ShowDetailFile(worker, detailFile);
        if (launch.exitCode != 0 && (worker.runFlags & FLAG_STOP_WHEN_ERROR))
            break;
        worker.Send(TM_PROGRESS, 0, ProgramModuleProgress(worker.progressBase, worker.progressDivisor));
    }
    return result;
}

} // namespace tavil
