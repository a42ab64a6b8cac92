// The hard-disk test through the real worker under Wine: drives described
// by a double (Wine has none with a geometry), the script a small batch
// file that prints its arguments with the echo program and fails the
// drives it is told to.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "ProgramRun.h"
#include "tavilcheck/runner/HardDiskTest.h"
#include "tavilcheck/runner/PhysicalDrives.h"

using namespace tavil;

namespace {

struct DescribedDrive {
    DriveGeometry geometry;
    uint32_t mediaType = kFixedMedia;
    bool noGeometry = false;  // opens, but never answers the query
    bool secondFails = false; // answers the first query only
};

// Drives by number; every question is counted.
class DrivesDouble : public PhysicalDrives {
public:
    std::map<int, DescribedDrive> drives;
    std::map<int, int> queries;

    DriveAnswer QueryGeometry(int drive, DriveGeometry& geometry, uint32_t& mediaType) override {
        const int asked = ++queries[drive];
        auto found = drives.find(drive);
        if (found == drives.end())
            return DriveAnswer::Absent;
        const DescribedDrive& described = found->second;
        if (described.noGeometry || (described.secondFails && asked > 1))
            return DriveAnswer::NoGeometry;
        geometry = described.geometry;
        mediaType = described.mediaType;
        return DriveAnswer::Answered;
    }
};

// 500 GB notebook disk: 976768065 sectors of 512 bytes.
const DriveGeometry kNotebookDisk{60801, 255, 63, 512};

// A program folder with the hard-disk module's sub-folder "hdd" holding
// easyhddtest.bat; the script exits with 7 for the drives in `failing`.
struct HardDiskRun : ProgramRun {
    DrivesDouble double_;

    explicit HardDiskRun(const std::vector<int>& failing = {}, bool withScript = true) {
        testFile = "EasyHdd.exe";
        testSubdir = "hdd";
        programDirectory = TempDirectory("tavil_hdd_program");
        const std::string moduleDirectory = programDirectory + "hdd\\";
        ::CreateDirectoryA(moduleDirectory.c_str(), nullptr);
        DeleteFilesIn(moduleDirectory);
        physicalDrives = &double_;
        if (!withScript)
            return;
        std::string script = "@echo off\r\n\"" + TestProgramDirectory() + "echo_args.exe\" %*\r\n";
        for (int drive : failing)
            script += "if \"%3\"==\"-D" + std::to_string(drive) + "\" exit /b 7\r\n";
        script += "exit /b 0\r\n";
        WriteWholeFile(moduleDirectory + "easyhddtest.bat", script);
    }

    // The screen's texts in their order, the coloured error blocks among them.
    std::string Screen() const {
        std::string all;
        for (const Message& m : window.messages)
            if (m.id == TM_SCREEN_TEXT || m.id == TM_COLOURED_TEXT)
                all += m.text;
        return all;
    }
    std::string Log() const {
        std::string all;
        for (const std::string& text : log)
            all += text;
        return all;
    }
    // The arguments the script got for one drive, as echo_args printed them.
    std::string ArgumentsOfDrive(int drive) const {
        const std::string all = Screen();
        const size_t start = all.find("Drive " + std::to_string(drive) + "\r\n\r\n");
        if (start == std::string::npos)
            return "(no drive line)";
        const size_t end = all.find("ExitCode=", start);
        return all.substr(start, end - start);
    }
};

size_t Count(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

const std::string kPassBanner = "\r\n\r\n= Program is OK =\r\n";
const std::string kFailBanner = "\r\n\r\n= Program is failed =\r\n";

} // namespace

TEST(HardDiskTest, OnlyATestFileNamingEasyhddIsTheHardDiskTest) {
    EXPECT_TRUE(IsHardDiskTest("easyhdd.exe"));
    EXPECT_TRUE(IsHardDiskTest("TOOLS\\EASYHDD32.EXE"));
    EXPECT_FALSE(IsHardDiskTest("easyhd.exe"));
    EXPECT_FALSE(IsHardDiskTest("disktest.exe"));
}

TEST(HardDiskTest, ScriptGetsTheDriveAndItsTwoRangesInOrder) {
    struct Case {
        DriveGeometry geometry;
        bool logEnabled;
        std::string expected; // after the module directory
        const char* what;
    } cases[] = {
        {kNotebookDisk, false,
         "[2]=-D0\r\n[3]=-D0\r\n[4]=-RL0\r\n[5]=-RH62914560\r\n[6]=-RL955796545\r\n[7]=-RH976768065\r\n",
         "512-byte sectors, logs off: the drive option twice"},
        {{1000, 255, 63, 512},
         false,
         "[2]=-D0\r\n[3]=-D0\r\n[4]=-RL0\r\n[5]=-RH62914560\r\n[6]=-RL-4906520\r\n[7]=-RH16065000\r\n",
         "under 10 GiB: the negative start passed on"},
        // 4 TiB: 534698 cylinders of 255 x 63, past 2^32 sectors.
        {{534698, 255, 63, 512},
         false,
         "[2]=-D0\r\n[3]=-D0\r\n[4]=-RL0\r\n[5]=-RH62914560\r\n[6]=-RL8568951850\r\n[7]=-RH8589923370\r\n",
         "4 TiB: 64-bit values in full"},
        {{60801, 255, 63, 4096},
         false,
         "[2]=-D0\r\n[3]=-D0\r\n[4]=-RL0\r\n[5]=-RH7864320\r\n[6]=-RL974146625\r\n[7]=-RH976768065\r\n",
         "4096-byte sectors"},
    };
    for (const Case& c : cases) {
        HardDiskRun run;
        run.double_.drives[0].geometry = c.geometry;
        run.logEnabled = c.logEnabled;
        run.Run();
        const std::string moduleDirectory = run.programDirectory + "hdd\\";
        EXPECT_EQ("Drive 0\r\n\r\n[1]=" + moduleDirectory + "\n" + c.expected, run.ArgumentsOfDrive(0)) << c.what;
        EXPECT_EQ(0, run.result) << c.what;
        EXPECT_NE(std::string::npos, run.Screen().find("ExitCode=0\r\n")) << c.what;
        EXPECT_EQ(kPassBanner, run.screen.back()) << c.what;
    }
}

TEST(HardDiskTest, WithLogsTheScriptIsToldTheLogDirectoryAndItsDetailIsShown) {
    HardDiskRun run;
    run.double_.drives[0].geometry = kNotebookDisk;
    run.logEnabled = true;
    run.Run();
    EXPECT_NE(std::string::npos,
              run.ArgumentsOfDrive(0).find("[2]=" + run.logDirectory + "\r\n[3]=-D0\r\n[4]=-RL0\r\n"));
    // The script leaves DefLog.tmp empty: its section is shown and the file removed.
    EXPECT_NE(std::string::npos, run.Screen().find(kDetailHead));
    EXPECT_FALSE(Exists(run.logDirectory + "DefLog.tmp"));
    EXPECT_EQ(run.Screen(), run.Log()) << "each line on screen is logged";
}

TEST(HardDiskTest, DrivesAreTestedInTheirOrderAndOnlyThoseThatAreFixedDisks) {
    HardDiskRun all;
    for (int drive = 0; drive < 16; ++drive)
        all.double_.drives[drive].geometry = kNotebookDisk;
    all.Run();
    size_t previous = 0;
    for (int drive = 0; drive < 16; ++drive) {
        const size_t at = all.Screen().find("Drive " + std::to_string(drive) + "\r\n\r\n");
        ASSERT_NE(std::string::npos, at) << drive;
        EXPECT_LE(previous, at) << drive;
        previous = at;
        EXPECT_NE(std::string::npos, all.ArgumentsOfDrive(drive).find("[3]=-D" + std::to_string(drive) + "\r\n"));
        EXPECT_EQ(2, all.double_.queries[drive]) << "the mask's question and the ranges'";
    }
    EXPECT_EQ(16u, Count(all.Screen(), "ExitCode=0\r\n"));
    EXPECT_EQ(0, all.result);

    HardDiskRun gaps;
    gaps.double_.drives[1].geometry = kNotebookDisk;
    gaps.Run();
    ASSERT_GE(gaps.screen.size(), 2u);
    EXPECT_EQ("= Program Start =\r\n\r\n", gaps.screen[0]);
    EXPECT_EQ("Drive 1\r\n\r\n", gaps.screen[1]) << "only drive 1: the output starts with it";
    EXPECT_EQ(0, gaps.result);
    EXPECT_EQ(1, gaps.double_.queries[15]) << "every drive number is asked";

    HardDiskRun others;
    others.double_.drives[0].geometry = kNotebookDisk;
    others.double_.drives[0].mediaType = 11; // removable
    others.double_.drives[1].noGeometry = true;
    others.double_.drives[2].geometry = kNotebookDisk;
    others.Run();
    EXPECT_NE(std::string::npos,
              others.Screen().find("Drive 0 is not a fixed hard disk (media type 11); it was not tested.\r\n\r\n"
                                   "Drive 1 does not report its geometry; it was not tested.\r\n\r\n"
                                   "Drive 2\r\n\r\n"));
    EXPECT_EQ(1u, Count(others.Screen(), "ExitCode="));
    EXPECT_EQ(0, others.result) << "a removable drive or an empty card reader is no failure";
}

TEST(HardDiskTest, AnyDrivesFailureFailsTheModule) {
    HardDiskRun run({0});
    run.double_.drives[0].geometry = kNotebookDisk;
    run.double_.drives[1].geometry = kNotebookDisk;
    run.Run();
    EXPECT_NE(std::string::npos, run.ArgumentsOfDrive(1).find("[3]=-D1")) << "drive 1 is still tested";
    EXPECT_NE(std::string::npos, run.Screen().find("ExitCode=7\r\n\r\n\r\n" + kErrorBlock));
    EXPECT_NE(std::string::npos, run.Screen().find("ExitCode=0\r\n"));
    EXPECT_EQ(7, run.result);
    EXPECT_EQ(kFailBanner, run.screen.back()) << "drive 1's pass does not make it OK";
    EXPECT_EQ(kFailBanner, run.log.back());
}

TEST(HardDiskTest, StopWhenErrorTestsNoFurtherDrive) {
    HardDiskRun run({0});
    run.double_.drives[0].geometry = kNotebookDisk;
    run.double_.drives[1].geometry = kNotebookDisk;
    run.flags = FLAG_STOP_WHEN_ERROR;
    run.Run();
    EXPECT_EQ(std::string::npos, run.Screen().find("Drive 1\r\n"));
    EXPECT_EQ(7, run.result);
}

TEST(HardDiskTest, NoFixedDiskFailsTheModuleWithItsLine) {
    HardDiskRun run;
    run.logEnabled = true;
    run.Run();
    const std::string line = "No fixed hard disk was found; nothing was tested.\r\n";
    EXPECT_NE(std::string::npos, run.Screen().find(line + kErrorBlock));
    EXPECT_NE(std::string::npos, run.Log().find(line));
    EXPECT_EQ(std::string::npos, run.Screen().find("ExitCode=")) << "nothing is run";
    EXPECT_EQ(TAVIL_RESULT_NOT_STARTED, run.result);
    EXPECT_EQ(kFailBanner, run.screen.back());
}

TEST(HardDiskTest, DriveWithoutRangesIsNamedAndFailsTheModule) {
    HardDiskRun run;
    run.double_.drives[0].geometry = kNotebookDisk;
    run.double_.drives[0].secondFails = true;
    run.double_.drives[1].geometry = {60801, 255, 63, 0}; // no sector size
    run.double_.drives[2].geometry = {0, 255, 63, 512};   // no cylinders
    run.double_.drives[3].geometry = kNotebookDisk;
    run.logEnabled = true;
    run.Run();
    const std::string screen = run.Screen();
    EXPECT_NE(std::string::npos,
              screen.find("Drive 0\r\n\r\nThe geometry of drive 0 could not be read again; the drive was not tested."
                          "\r\n\r\n" +
                          kErrorBlock +
                          "Drive 1\r\n\r\nDrive 1 reports a geometry without sectors; the drive was not "
                          "tested.\r\n\r\n" +
                          kErrorBlock + "Drive 2\r\n\r\nDrive 2 reports a geometry without sectors"));
    EXPECT_EQ(1u, Count(screen, "ExitCode=0\r\n")) << "drive 3 alone was run";
    EXPECT_NE(std::string::npos, run.ArgumentsOfDrive(3).find("[3]=-D3"));
    EXPECT_EQ(TAVIL_RESULT_NOT_STARTED, run.result);
    EXPECT_EQ(kFailBanner, run.screen.back());
    EXPECT_FALSE(Exists(run.logDirectory + "DefLog.tmp")) << "no detail file is left for an untested drive";
}

TEST(HardDiskTest, MissingScriptIsNotStartedForEveryDrive) {
    HardDiskRun run({}, false);
    run.double_.drives[0].geometry = kNotebookDisk;
    run.double_.drives[1].geometry = kNotebookDisk;
    run.Run();
    const std::string script = run.programDirectory + "hdd\\easyhddtest.bat could not be started";
    EXPECT_EQ(2u, Count(run.Screen(), script)) << run.Screen();
    EXPECT_EQ(TAVIL_RESULT_NOT_STARTED, run.result);
    EXPECT_EQ(kFailBanner, run.screen.back());
}

TEST(HardDiskTest, StopDuringADriveTestsNoFurtherDrive) {
    HardDiskRun run;
    run.double_.drives[0].geometry = kNotebookDisk;
    run.double_.drives[1].geometry = kNotebookDisk;
    // Stop as soon as drive 0 is announced: its script is ended as it starts.
    run.onMessage = [](const Message& m, CCallDllThread& worker) {
        if (m.id == TM_SCREEN_TEXT && m.text == "Drive 0\r\n\r\n")
            worker.Abort();
    };
    run.Run();
    EXPECT_EQ(std::string::npos, run.Screen().find("Drive 1\r\n"));
    EXPECT_EQ("\r\n\r\n= Program aborted =\r\n", run.screen.back());
}
