// hddscan.exe: the hard-disk surface scan, a console program started by
// the hard-disk test's easyhddtest.bat once per fixed drive.
//
//   hddscan.exe [LOG-DIRECTORY] -D<drive> [-D<drive>] -RL<first> -RH<end> [-RL<first> -RH<end>]...
//
// Reads the given sector ranges of \\.\PHYSICALDRIVE<drive> (-RH names the
// sector after the last one; a negative first sector is read from 0, an end
// past the disk stops at its end) unbuffered in blocks of 1 MB, reads a
// block that fails again sector by sector and names the unreadable sectors.
// Prints its progress and the read rate; with LOG-DIRECTORY it also writes
// the summary into DefLog.tmp there, which the diagnostics program shows as
// the test's detail.  It only reads: nothing on the disk is changed.
//
// Exit codes: 0 every sector was read, 2 could not test (bad arguments,
// the drive does not open, no sector of the ranges on the disk, stopped),
// 3 unreadable sectors were found (modules/common/ModuleResults.h).
#include <windows.h>

#include <string>
#include <vector>

#include "modules/common/ConsoleProgram.h"
#include "modules/common/ModuleResults.h"
#include "modules/hddscan/DriveDevice.h"
#include "modules/hddscan/SurfaceScan.h"

using namespace tavil::modules;

namespace {

const char kTitle[] = "Hard Disk Surface Scan";

int CouldNotTest(const std::string& logDirectory, const std::string& reason) {
    const std::string text = std::string(kTitle) + ": " + reason + ". Nothing was tested.\r\n";
    Print(text);
    if (!logDirectory.empty())
        WriteDetailFile(logDirectory, text);
    return kResultCouldNotTest;
}

} // namespace

int main(int argc, char** argv) {
    StartConsoleProgram();
    const ScanArguments arguments = ParseScanArguments(std::vector<std::string>(argv + 1, argv + argc));
    const std::string logDirectory =
        arguments.logDirectory.empty() ? std::string() : DirectoryArgument(arguments.logDirectory.c_str());
    if (!arguments.error.empty())
        return CouldNotTest(logDirectory, arguments.error + " (hddscan.exe [LOG-DIRECTORY] -D<drive> -RL<first> "
                                                            "-RH<end> [-RL<first> -RH<end>]...)");

    const std::string path = PhysicalDrivePath(arguments.drive);
    std::string error;
    std::unique_ptr<HandleSectorDevice> drive = OpenPhysicalDrive(arguments.drive, error);
    if (!drive)
        return CouldNotTest(logDirectory, error);
    const std::vector<SectorRange> plan = PlanScan(arguments.ranges, drive->SectorCount());
    Print(std::string(kTitle) + " of " + path + ": " + std::to_string(drive->SectorCount()) + " sectors of " +
          std::to_string(drive->SectorSize()) + " bytes\r\n");
    if (plan.empty())
        return CouldNotTest(logDirectory, "no sector of the given ranges lies on the disk");
    AlignedBlock buffer = AllocateAligned(kScanBlockBytes);
    if (!buffer)
        return CouldNotTest(logDirectory, "not enough memory for the read buffer");

    ProgressHooks hooks;
    hooks.clock = Seconds;
    hooks.line = Print;
    hooks.stopRequested = StopRequested;
    const ScanOutcome outcome = ScanSectors(*drive, plan, buffer.get(), hooks);
    const std::string summary = ScanSummary(path, outcome);
    Print(summary);
    if (!logDirectory.empty())
        WriteDetailFile(logDirectory, summary);
    return ScanExitCode(outcome);
}
