#include "HardDiskTest.h"

#include <windows.h>

#include <array>

#include "CCallDllThread.h"
#include "HardDiskRanges.h"
#include "PhysicalDrives.h"
#include "ProgramCommandLine.h"
#include "ProgramModule.h"
#include "RunProgress.h"
#include "framework/TextUtil.h"

namespace tavil {

namespace {

const char kScript[] = "easyhddtest.bat";

// What the first round of questions found out about one drive.
struct DriveSurvey {
    DriveAnswer answer = DriveAnswer::Absent;
    uint32_t mediaType = 0;
    bool Fixed() const { return answer == DriveAnswer::Answered && mediaType == kFixedMedia; }
};

// The script's run for one fixed drive; its result.
int32_t TestDrive(const CCallDllThread& worker, const TestModule& module, PhysicalDrives& drives, int drive) {
    worker.BothText(FormatNumber("Drive %d\r\n\r\n", drive));
    DriveGeometry geometry;
    uint32_t mediaType = 0;
    SectorRanges ranges;
    // Asked again, as the drive is about to be tested; the geometry may have
    // gone (a drive removed) or have no sectors to compute ranges from.
    const char* notTested = nullptr;
    if (drives.QueryGeometry(drive, geometry, mediaType) != DriveAnswer::Answered)
        notTested = "The geometry of drive %d could not be read again; the drive was not tested.\r\n\r\n";
    else if (!HardDiskRanges(geometry, ranges))
        notTested = "Drive %d reports a geometry without sectors; the drive was not tested.\r\n\r\n";
    if (notTested) {
        worker.BothText(FormatNumber(notTested, drive));
        ShowFailure(worker);
        return TAVIL_RESULT_NOT_STARTED;
    }
    const std::string moduleDirectory = ProgramModuleDirectory(worker.request().programDirectory, module.testSubdir);
    const ProgramDetailFile detail = PrepareDetailFile(worker, module);
    // The log directory when the detail file could be made, else the drive
    // option (which then comes twice).
    const std::string logArgument =
        detail.logDirectory.empty() ? DriveOption(drive) : " " + QuoteIfBlank(detail.logDirectory);
    ProgramLaunch program;
    program.commandLine =
        ProgramCommandLine(moduleDirectory, kScript, "") + HardDiskArguments(logArgument, drive, ranges);
    program.programPath = moduleDirectory + kScript;
    program.detailFile = detail.path;
    return RunProgramRepetitions(worker, program);
}

} // namespace

bool IsHardDiskTest(const std::string& testFile) { return fw::Contains(fw::ToLower(testFile), "easyhdd"); }

int32_t RunHardDiskTest(const CCallDllThread& worker, const TestModule& module) {
    SystemPhysicalDrives systemDrives;
    PhysicalDrives& drives = worker.request().physicalDrives ? *worker.request().physicalDrives : systemDrives;

    // Every drive is asked first, as the fixed-disk mask is made; then the
    // fixed ones are tested in their order.
    std::array<DriveSurvey, kPhysicalDriveCount> survey;
    for (int drive = 0; drive < kPhysicalDriveCount; ++drive) {
        DriveGeometry geometry;
        DriveSurvey& found = survey[static_cast<size_t>(drive)];
        found.answer = drives.QueryGeometry(drive, geometry, found.mediaType);
    }

    int32_t result = 0;
    bool anyFixed = false;
    for (int drive = 0; drive < kPhysicalDriveCount && !worker.Aborted(); ++drive) {
        const DriveSurvey& found = survey[static_cast<size_t>(drive)];
        if (found.answer == DriveAnswer::Absent)
            continue;
        if (found.answer == DriveAnswer::NoGeometry) {
            worker.BothText(FormatNumber("Drive %d does not report its geometry; it was not tested.\r\n\r\n", drive));
            continue;
        }
        if (!found.Fixed()) {
            worker.BothText(
                FormatNumbers("Drive %d is not a fixed hard disk (media type %d); it was not tested.\r\n\r\n", drive,
                              static_cast<int>(found.mediaType)));
            continue;
        }
        anyFixed = true;
        // Any drive's failure is the module's: a later drive that passes
        // does not make the verdict "OK".
        const int32_t driveResult = TestDrive(worker, module, drives, drive);
        if (driveResult != 0) {
            result = driveResult;
            if (worker.runFlags() & FLAG_STOP_WHEN_ERROR)
                break;
        }
    }
    if (!anyFixed && !worker.Aborted()) {
        worker.BothText("No fixed hard disk was found; nothing was tested.\r\n");
        ShowFailure(worker);
        result = TAVIL_RESULT_NOT_STARTED;
    }
    return result;
}

} // namespace tavil
