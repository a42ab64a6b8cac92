// disktest.exe: the storage test, a console program module.
//
//   disktest.exe DIRECTORY [LOG-DIRECTORY]
//
// Writes a test file of up to 64 MB in DIRECTORY (half the free space at
// most) through to the drive, reads it back past the system's cache and
// checks every byte; prints its progress and the write and read rates.
// With LOG-DIRECTORY it also writes the summary into DefLog.tmp there,
// which the program shows as the test's detail.  The test file is deleted
// by the system when the program ends, however it ends.
//
// Exit codes: 0 passed, 1 the data read back differs, 2 could not test
// (no such directory, not writable, too little free space), 3 the drive
// reported a read or write error (modules/common/ModuleResults.h).
#include <windows.h>

#include <cstdio>
#include <string>

#include "modules/common/ConsoleProgram.h"
#include "modules/common/ModuleResults.h"
#include "modules/disktest/StorageCheck.h"
#include "modules/disktest/UnbufferedFile.h"

using namespace tavil::modules;

namespace {

int CouldNotTest(const std::string& reason) {
    Print("Storage Test: " + reason + " Nothing was tested.\r\n");
    return kResultCouldNotTest;
}

} // namespace

int main(int argc, char** argv) {
    StartConsoleProgram();
    if (argc < 2)
        return CouldNotTest("no directory to test was given (disktest.exe DIRECTORY [LOG-DIRECTORY]).");
    const std::string directory = DirectoryArgument(argv[1]);
    const std::string logDirectory = argc > 2 ? DirectoryArgument(argv[2]) : std::string();

    // Asked without the trailing backslash, so that a file is seen as one.
    std::string bare = directory.size() > 3 ? directory.substr(0, directory.size() - 1) : directory;
    DWORD attributes = ::GetFileAttributesA(bare.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return CouldNotTest("the directory " + directory + " does not exist.");
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return CouldNotTest(bare + " is not a directory.");
    ULARGE_INTEGER freeBytes{};
    if (!::GetDiskFreeSpaceExA(directory.c_str(), &freeBytes, nullptr, nullptr))
        return CouldNotTest("the free space of " + directory + " is unknown: " + SystemErrorText(::GetLastError()) +
                            ".");
    uint64_t size = ChooseTestFileSize(freeBytes.QuadPart);
    if (size == 0)
        return CouldNotTest("too little free space in " + directory + " (8 MB needed).");

    AlignedBlock buffer = AllocateAligned(2 * kStorageBlockBytes);
    if (!buffer)
        return CouldNotTest("not enough memory for the test buffer.");
    StorageOutcome outcome;
    {
        UnbufferedFile file(directory + "tavil_storage_test.tmp");
        if (!file.IsOpen())
            return CouldNotTest("cannot write in " + directory + ": " + file.LastError() + ".");
        Print("Storage Test: writing a " + std::to_string(size >> 20) + " MB test file in " + directory + "\r\n");
        ProgressHooks hooks;
        hooks.clock = Seconds;
        hooks.line = Print;
        hooks.stopRequested = StopRequested;
        outcome = RunStorageCheck(file, size, buffer.get(), static_cast<uint64_t>(::GetTickCount64()), hooks);
    } // the file is deleted here

    std::string summary = StorageSummary(directory, outcome);
    Print(summary);
    if (!logDirectory.empty())
        WriteDetailFile(logDirectory, summary);
    return StorageExitCode(outcome);
}
