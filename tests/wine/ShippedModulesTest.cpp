// The modules of the installation folder, run for real under Wine: the
// Quick Test through the run worker, Stop, the system-information module's
// cfg.log, the storage test program with its exit codes and test file, and
// the hard-disk test's script and surface scan.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "RecordingWindow.h"
#include "tests/TestFiles.h"
#include "framework/Handles.h"
#include "framework/ResourceSource.h"
#include "modules/common/ConsoleProgram.h"
#include "modules/common/ModuleResults.h"
#include "modules/hddscan/DriveDevice.h"
#include "resource_ids.h"

using namespace tavil;
using namespace tavil::modules;

namespace {

const std::string kInstallation = INSTALLATION_DIRECTORY "\\";

// The modules are found by their bare names, as the program finds the
// ones beside it.
struct InstallationModules : ::testing::Test {
    void SetUp() override { ::SetDllDirectoryA(INSTALLATION_DIRECTORY); }
    void TearDown() override { ::SetDllDirectoryA(nullptr); }
};

} // namespace

TEST_F(InstallationModules, QuickTestOfTheInstallationPasses) {
    RecordingWindow window;
    TestCatalogue catalogue = Batch({"memtest.dll", "cputest.dll"});
    CCallDllThread worker(window.hwnd, catalogue, BatchRequest(catalogue));
    RunToEnd(worker, 120000);
    std::string screen = Joined(window.Texts(TM_SCREEN_TEXT));
    EXPECT_NE(std::string::npos, screen.find("Memory Test: passed.\r\n")) << screen;
    EXPECT_NE(std::string::npos, screen.find("Processor Test: passed.\r\n")) << screen;
    EXPECT_EQ(fw::ResourceSource::LoadString(IDS_VERDICT_PASS), window.Texts(TM_SCREEN_TEXT).back());
    EXPECT_EQ(screen, Joined(window.Texts(TM_LOG_TEXT))) << "every line goes to the log too";
    ASSERT_EQ(1u, window.All(TM_RUN_RESULT).size());
    EXPECT_EQ(0, window.All(TM_RUN_RESULT)[0]->lParam);
    // Each module ends its progress at 100, as the batch progress needs.
    std::vector<LPARAM> hundreds;
    for (const Message* m : window.All(TM_PROGRESS))
        if (m->lParam == 100)
            hundreds.push_back(m->lParam);
    EXPECT_EQ(2u, hundreds.size());
    EXPECT_FALSE(window.All(TM_MINUTES_LEFT).empty());
}

TEST_F(InstallationModules, StopEndsEachLibraryModuleCleanly) {
    struct Case {
        const char* file;
        const char* stoppedLine;
    } cases[] = {{"memtest.dll", "Memory Test: stopped by the user, no fault found so far.\r\n"},
                 {"cputest.dll", "Processor Test: stopped by the user, no fault found so far.\r\n"}};
    for (const Case& c : cases) {
        RecordingWindow window;
        // The user presses Stop once the module has shown its first progress.
        window.onMessage = [&window](const Message& m) {
            if (m.id == TM_PROGRESS)
                window.runState = TAVIL_RUN_STATE_STOPPED;
        };
        TestCatalogue catalogue;
        catalogue.modules[0].testFile = c.file;
        catalogue.moduleCount = 1;
        // Minutes of work, were it not stopped.
        CCallDllThread worker(window.hwnd, catalogue, SingleRequest(0, 50));
        RunToEnd(worker, 20000);
        std::vector<std::string> screen = window.Texts(TM_SCREEN_TEXT);
        EXPECT_NE(std::string::npos, Joined(screen).find(c.stoppedLine)) << c.file << Joined(screen);
        ASSERT_EQ(1u, window.All(TM_RUN_RESULT).size()) << c.file;
        EXPECT_EQ(0, window.All(TM_RUN_RESULT)[0]->lParam) << c.file;
    }
}

TEST_F(InstallationModules, ProcessorTestRunsOnASingleProcessor) {
    DWORD_PTR process = 0, system = 0;
    ASSERT_TRUE(::GetProcessAffinityMask(::GetCurrentProcess(), &process, &system));
    DWORD_PTR lowest = process & (~process + 1);
    ASSERT_TRUE(::SetProcessAffinityMask(::GetCurrentProcess(), lowest));
    RecordingWindow window;
    TestCatalogue catalogue = Batch({"cputest.dll"});
    CCallDllThread worker(window.hwnd, catalogue, BatchRequest(catalogue));
    RunToEnd(worker, 60000);
    ::SetProcessAffinityMask(::GetCurrentProcess(), process);
    std::string screen = Joined(window.Texts(TM_SCREEN_TEXT));
    EXPECT_NE(std::string::npos, screen.find("Processor Test: 1 logical processor(s), 1 pass(es)\r\n")) << screen;
    EXPECT_NE(std::string::npos, screen.find("Processor Test: passed.\r\n")) << screen;
    ASSERT_EQ(1u, window.All(TM_RUN_RESULT).size());
    EXPECT_EQ(0, window.All(TM_RUN_RESULT)[0]->lParam);
}

TEST_F(InstallationModules, SystemInformationGoesToTheLogDirectory) {
    std::string directory = TempDirectory("tavil_hwconfig");
    ::DeleteFileA((directory + "cfg.log").c_str());
    fw::Library module(::LoadLibraryA("hwconfig.dll"));
    ASSERT_TRUE(module);
    auto startTest = reinterpret_cast<TavilStartTestFunction>(
        reinterpret_cast<void*>(::GetProcAddress(module.get(), TAVIL_START_TEST_NAME)));
    ASSERT_NE(nullptr, startTest);

    ::SetEnvironmentVariableA(TAVIL_LOG_DIRECTORY_VARIABLE, directory.c_str());
    EXPECT_EQ(kResultPassed, startTest(nullptr, 0, 0));
    std::string text = ReadWholeFile(directory + "cfg.log");
    for (const char* line : {"Operating system      : ", "Computer name         : ", "Logical processors    : ",
                             "Memory                : ", "Fixed drive C:\\       : "})
        EXPECT_NE(std::string::npos, text.find(line)) << line << "\n" << text;
    EXPECT_NE(std::string::npos, text.find("\r\n")) << "written as a text file";

    ::SetEnvironmentVariableA(TAVIL_LOG_DIRECTORY_VARIABLE, "Z:\\no\\such\\directory\\");
    EXPECT_EQ(kResultCouldNotTest, startTest(nullptr, 0, 0));
    ::SetEnvironmentVariableA(TAVIL_LOG_DIRECTORY_VARIABLE, nullptr);
}

namespace {

struct ConsoleRun {
    DWORD exitCode = 0;
    std::string output;
};

// Runs a program of the installation folder with its output on a pipe;
// `stopAfter` may end it early.
ConsoleRun RunInstalledProgram(const std::string& program, const std::string& arguments,
                               const std::function<bool(const std::string&)>& stopAfter = {}) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    fw::Handle read, write;
    EXPECT_TRUE(::CreatePipe(read.receive(), write.receive(), &inherit, 0));
    ::SetHandleInformation(read.get(), HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write.get();
    startup.hStdError = write.get();
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    std::string commandLine = kInstallation + program + " " + arguments;
    ConsoleRun run;
    if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr, nullptr,
                          &startup, &process)) {
        ADD_FAILURE() << program << " did not start";
        return run;
    }
    fw::Handle child(process.hProcess), thread(process.hThread);
    write.reset(); // only the program holds it: the pipe breaks when it ends
    char buffer[256];
    DWORD got = 0;
    while (::ReadFile(read.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) {
        run.output.append(buffer, got);
        if (stopAfter && stopAfter(run.output)) {
            ::TerminateProcess(child.get(), 255);
            break;
        }
    }
    ::WaitForSingleObject(child.get(), 60000);
    ::GetExitCodeProcess(child.get(), &run.exitCode);
    return run;
}

ConsoleRun RunStorageTest(const std::string& arguments, const std::function<bool(const std::string&)>& stopAfter = {}) {
    return RunInstalledProgram("storage\\disktest.exe", arguments, stopAfter);
}

} // namespace

TEST(StorageTestProgram, PassesAndLeavesOnlyItsDetailFile) {
    std::string directory = TempDirectory("tavil_storage"), logs = TempDirectory("tavil_storage_logs");
    ::DeleteFileA((logs + "DefLog.tmp").c_str());
    ConsoleRun run = RunStorageTest(directory + " " + logs);
    EXPECT_EQ(static_cast<DWORD>(kResultPassed), run.exitCode) << run.output;
    for (const char* line : {"Written: 64 of 64 MB\r\n", "Read and verified: 64 of 64 MB\r\n",
                             "Write rate: ", "Read rate: ", "Result: passed\r\n"})
        EXPECT_NE(std::string::npos, run.output.find(line)) << line << "\n" << run.output;
    EXPECT_FALSE(Exists(directory + "tavil_storage_test.tmp")) << "the test file is removed";
    std::string detail = ReadWholeFile(logs + "DefLog.tmp");
    EXPECT_EQ(0u, detail.find("Storage test of " + directory + "\r\n")) << detail;
    EXPECT_NE(std::string::npos, detail.find("Result: passed\r\n")) << detail;
}

TEST(StorageTestProgram, CouldNotTestIsNeverAPass) {
    std::string file = TempDirectory("tavil_storage") + "plain.txt";
    std::ofstream(file) << "not a directory";
    struct Case {
        std::string arguments, message;
    } cases[] = {
        {"", "no directory to test was given"},
        {"Z:\\no\\such\\directory\\", "the directory Z:\\no\\such\\directory\\ does not exist."},
        {file, "plain.txt is not a directory."},
    };
    for (const Case& c : cases) {
        ConsoleRun run = RunStorageTest(c.arguments);
        EXPECT_EQ(static_cast<DWORD>(kResultCouldNotTest), run.exitCode) << c.arguments;
        EXPECT_NE(std::string::npos, run.output.find(c.message)) << run.output;
        EXPECT_NE(std::string::npos, run.output.find("Nothing was tested.\r\n")) << run.output;
    }
}

TEST(StorageTestProgram, EndedFromOutsideLeavesNoTestFile) {
    std::string directory = TempDirectory("tavil_storage_stop");
    // End it as Abort does, while it writes.
    ConsoleRun run = RunStorageTest(
        directory, [](const std::string& output) { return output.find("Written: 16 of 64 MB") != std::string::npos; });
    EXPECT_EQ(255u, run.exitCode) << run.output;
    EXPECT_FALSE(Exists(directory + "tavil_storage_test.tmp")) << "the system deletes the file with its handle";
}

// The hard-disk test's script and surface scan as the program runs them.
// Wine has no physical drive, so the scan cannot open one: it says why,
// writes the reason as its detail and exits with "could not test".
TEST(SurfaceScanProgram, ScriptHandsTheArgumentsOnAndTheDriveThatDoesNotOpenIsNotAPass) {
    const std::string logs = TempDirectory("tavil_scan_logs");
    const std::string moduleDirectory = kInstallation + "harddisk\\";
    ConsoleRun run = RunInstalledProgram(
        "harddisk\\easyhddtest.bat", moduleDirectory + " " + logs + " -D7 -RL0 -RH62914560 -RL-4906520 -RH16065000");
    EXPECT_EQ(static_cast<DWORD>(kResultCouldNotTest), run.exitCode) << run.output;
    const std::string reason = "Hard Disk Surface Scan: cannot open \\\\.\\PHYSICALDRIVE7 for reading: ";
    EXPECT_NE(std::string::npos, run.output.find(reason)) << run.output;
    EXPECT_NE(std::string::npos, run.output.find("Nothing was tested.\r\n")) << run.output;
    EXPECT_EQ(0u, ReadWholeFile(logs + "DefLog.tmp").find(reason)) << "the reason is the test's detail";
}

TEST(SurfaceScanProgram, ArgumentsItCannotUseAreNamed) {
    struct Case {
        std::string arguments, message;
    } cases[] = {
        {"", "no drive is named (-D<number>)"},
        {"-D0 -RL0", "the range starting at -RL0 has no end (-RH)"},
        {"-D0 -D1 -RL0 -RH5", "two different drives are named"},
    };
    for (const Case& c : cases) {
        ConsoleRun run = RunInstalledProgram("harddisk\\hddscan.exe", c.arguments);
        EXPECT_EQ(static_cast<DWORD>(kResultCouldNotTest), run.exitCode) << c.arguments;
        EXPECT_NE(std::string::npos, run.output.find(c.message)) << run.output;
        EXPECT_NE(std::string::npos, run.output.find("hddscan.exe [LOG-DIRECTORY] -D<drive>")) << run.output;
    }
}

// The scan's own unbuffered device, on image files.
TEST(SurfaceScanDevice, ReadsAnImageFileInWholeSectors) {
    const std::string directory = TempDirectory("tavil_scan_images");
    const std::string image = directory + "disk.img";
    // 3 MB and a part-sector: 6144 whole sectors of 512 bytes.
    WriteWholeFile(image, std::string(size_t{3} * 1024 * 1024 + 100, '\x11'));
    AlignedBlock buffer = AllocateAligned(kScanBlockBytes);
    std::string error;
    {
        std::unique_ptr<HandleSectorDevice> device = OpenImageFile(image, 512, error);
        ASSERT_TRUE(device) << error;
        EXPECT_EQ(6144, device->SectorCount());
        ProgressHooks hooks;
        hooks.clock = Seconds;
        hooks.line = [](const std::string&) {};
        // Out of order, past the end and before the start: each sector once.
        const ScanOutcome outcome =
            ScanSectors(*device, PlanScan({{6000, 7000}, {-50, 3000}, {2500, 2600}}, 6144), buffer.get(), hooks);
        EXPECT_EQ(3000 + 144, outcome.sectorsRead);
        EXPECT_EQ(kResultPassed, ScanExitCode(outcome));
        EXPECT_EQ(ReadResult::Read, device->Read(6143, 1, buffer.get())) << "the last whole sector";
        EXPECT_EQ(0x11, buffer.get()[511]);
        EXPECT_EQ(ReadResult::Refused, device->Read(6144, 1, buffer.get())) << "the part-sector is not a sector";
        EXPECT_NE(std::string::npos, device->LastError().find("(38)")) << "ERROR_HANDLE_EOF: " << device->LastError();
        EXPECT_EQ(ReadResult::Read, device->Read(0, 8, buffer.get())) << "a read after a failed one seeks again";
    }
    WriteWholeFile(directory + "empty.img", "");
    std::unique_ptr<HandleSectorDevice> empty = OpenImageFile(directory + "empty.img", 512, error);
    ASSERT_TRUE(empty);
    EXPECT_EQ(0, empty->SectorCount());
    EXPECT_FALSE(OpenImageFile(directory + "missing.img", 512, error));
    EXPECT_EQ(0u, error.find("cannot open " + directory + "missing.img for reading: ")) << error;
}
