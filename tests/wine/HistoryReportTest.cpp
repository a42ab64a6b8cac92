// The history report file under Wine: paths that cannot be written give
// the system's reason and leave nothing behind; cfg.log is copied
// unchanged however long its lines and however large it is; hwconfig.dll
// without its entry is not called.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/Application.h"
#include "tavilcheck/history/HistoryReport.h"
#include "tests/TestFiles.h"

using namespace tavil;

TEST(HistoryReportFile, PathsThatCannotBeWrittenGiveTheSystemsReason) {
    const std::string directory = TempDirectory("tavil-report");
    ::CreateDirectoryA((directory + "a folder").c_str(), nullptr);
    WriteWholeFile(directory + "locked.txt", "kept");
    fw::Handle lock = LockFile(directory + "locked.txt");
    struct Case {
        std::string path;
        DWORD error;
    } cases[] = {
        {directory + "no such folder\\report.txt", ERROR_PATH_NOT_FOUND},
        {directory + "a folder", ERROR_ACCESS_DENIED},
        {directory + "locked.txt", ERROR_SHARING_VIOLATION},
    };
    for (const Case& c : cases) {
        HistoryReportFile report;
        EXPECT_EQ(c.error, report.Create(c.path)) << c.path;
    }
    lock.reset();
    EXPECT_EQ("kept", ReadWholeFile(directory + "locked.txt")) << "a locked file is left as it was";
    EXPECT_FALSE(Exists(directory + "no such folder"));
}

TEST(HistoryReportFile, CopiesLargeTextWithLongLinesUnchanged) {
    const std::string directory = TempDirectory("tavil-report");
    std::string cfg;
    for (int line = 0; cfg.size() < 6 * 1024 * 1024; ++line)
        cfg += std::string(line % 3 == 0 ? 5000 : 40, static_cast<char>('a' + line % 26)) + "\r\n";
    cfg += "no line end";
    WriteWholeFile(directory + "cfg.log", cfg);
    HistoryReportFile report;
    ASSERT_EQ(0u, report.Create(directory + "report.txt"));
    report.Write("head\r\n");
    report.CopyTextFile(directory + "cfg.log");
    report.CopyTextFile(directory + "missing.log");
    EXPECT_EQ(0u, report.Finish());
    EXPECT_EQ("head\r\r\n" + cfg, ReadWholeFile(directory + "report.txt"));
}

TEST(SystemInformationModule, OnlyALibraryWithTheEntryIsCalled) {
    // The test modules lie beside this program.
    const std::string& here = fw::ProgramDirectory();
    const std::string directory = TempDirectory("tavil-hwconfig");
    struct Case {
        const char* module;
        bool called;
    } cases[] = {{"config_module.dll", true}, {"noexport_module.dll", false}, {nullptr, false}};
    for (const Case& c : cases) {
        DeleteFilesIn(directory);
        if (c.module)
            ::CopyFileA((here + c.module).c_str(), (directory + "HwConfig.dll").c_str(), FALSE);
        EXPECT_EQ(c.called, RunSystemInformationModule(nullptr, directory, directory))
            << (c.module ? c.module : "none");
        EXPECT_EQ(c.called, Exists(directory + "cfg.log"));
    }
    char value[8];
    EXPECT_EQ(0u, ::GetEnvironmentVariableA("TAVIL_LOG_DIRECTORY", value, sizeof value)) << "the variable is put back";
}
