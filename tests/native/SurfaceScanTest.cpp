// The surface scan's reading core on image files with unreadable regions:
// its arguments, the ranges it reads, the unreadable sectors it names, its
// exit code and its summary.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <set>
#include <string>
#include <vector>

#include "TempFile.h"
#include "modules/common/ModuleResults.h"
#include "modules/hddscan/SurfaceScan.h"

using namespace tavil::modules;

namespace {

// An image file read sector-wise; a read that touches a sector of `bad`
// fails, as a drive's read of a damaged sector does.
class ImageDevice : public SectorDevice {
public:
    ImageDevice(const std::string& path, uint32_t sectorSize) : fd_(open(path.c_str(), O_RDONLY)), size_(sectorSize) {
        const off_t length = fd_ >= 0 ? lseek(fd_, 0, SEEK_END) : 0;
        count_ = length / sectorSize;
    }
    ~ImageDevice() override {
        if (fd_ >= 0)
            close(fd_);
    }
    std::set<int64_t> bad;
    int64_t refuseFrom = -1; // reads from this sector on are refused (the disk removed)
    int reads = 0;

    uint32_t SectorSize() const override { return size_; }
    int64_t SectorCount() const override { return count_; }
    ReadResult Read(int64_t first, uint32_t count, uint8_t* buffer) override {
        ++reads;
        auto damaged = bad.lower_bound(first);
        if (damaged != bad.end() && *damaged < first + count)
            return ReadResult::Unreadable;
        if (refuseFrom >= 0 && first + count > refuseFrom)
            return ReadResult::Refused;
        const size_t bytes = size_t{count} * size_;
        return pread(fd_, buffer, bytes, static_cast<off_t>(first * size_)) == static_cast<ssize_t>(bytes)
                   ? ReadResult::Read
                   : ReadResult::Refused;
    }
    std::string LastError() const override { return "the device is gone"; }

private:
    int fd_;
    uint32_t size_;
    int64_t count_ = 0;
};

std::string Image(size_t bytes) { return std::string(bytes, '\x5A'); }

struct Scan {
    std::vector<std::string> lines;
    ScanOutcome outcome;
    std::vector<uint8_t> buffer = std::vector<uint8_t>(kScanBlockBytes);

    void Run(SectorDevice& device, const std::vector<SectorRange>& ranges, int stopAfterLines = -1) {
        ProgressHooks hooks;
        double now = 0;
        hooks.clock = [&] { return now += 0.25; };
        hooks.line = [&](const std::string& line) { lines.push_back(line); };
        hooks.stopRequested = [&] { return stopAfterLines >= 0 && static_cast<int>(lines.size()) >= stopAfterLines; };
        outcome = ScanSectors(device, PlanScan(ranges, device.SectorCount()), buffer.data(), hooks);
    }
};

} // namespace

TEST(SurfaceScanArguments, AsTheHardDiskTestPassesThemAndWhatIsRefused) {
    struct Case {
        std::vector<std::string> arguments;
        std::string logDirectory;
        int drive;
        std::vector<SectorRange> ranges;
        const char* error; // the start of the reason; null: accepted
    } cases[] = {
        {{"-D0", "-D0", "-RL0", "-RH62914560", "-RL-4906520", "-RH16065000"},
         "",
         0,
         {{0, 62914560}, {-4906520, 16065000}},
         nullptr},
        {{"C:\\logs\\", "-D3", "-RL0", "-RH62914560", "-RL8568951850", "-RH8589923370"},
         "C:\\logs\\",
         3,
         {{0, 62914560}, {8568951850, 8589923370}},
         nullptr},
        {{"-d1", "-rl5", "-rh9"}, "", 1, {{5, 9}}, nullptr},
        {{"-RL0", "-RH9"}, "", -1, {}, "no drive is named"},
        {{"-D0"}, "", -1, {}, "no sector range is given"},
        {{"-D0", "-RL0"}, "", -1, {}, "the range starting at -RL0 has no end"},
        {{"-D0", "-RL0", "-RL5", "-RH9"}, "", -1, {}, "the range starting at -RL0 has no end"},
        {{"-D0", "-RH9"}, "", -1, {}, "the range end -RH9 has no start"},
        {{"-D0", "-RL0", "-RH9x"}, "", -1, {}, "the range end -RH9x is not a number"},
        {{"-D0", "-RL", "-RH9"}, "", -1, {}, "the range start -RL is not a number"},
        {{"-D0", "-RL0", "-RH99999999999999999999"}, "", -1, {}, "the range end -RH99999999999999999999 is not"},
        {{"-D0", "-D1", "-RL0", "-RH9"}, "", -1, {}, "two different drives are named"},
        {{"-D-1", "-RL0", "-RH9"}, "", -1, {}, "the drive option -D-1 does not name a drive number"},
        {{"-X", "-D0", "-RL0", "-RH9"}, "", -1, {}, "the option -X is unknown"},
        {{"C:\\a\\", "C:\\b\\", "-D0", "-RL0", "-RH9"}, "", -1, {}, "more than one log directory is given"},
    };
    for (const Case& c : cases) {
        const ScanArguments parsed = ParseScanArguments(c.arguments);
        const std::string what = c.arguments.empty() ? "" : c.arguments.back();
        if (c.error) {
            EXPECT_EQ(0u, parsed.error.find(c.error)) << what << ": " << parsed.error;
            continue;
        }
        EXPECT_EQ("", parsed.error) << what;
        EXPECT_EQ(c.logDirectory, parsed.logDirectory) << what;
        EXPECT_EQ(c.drive, parsed.drive) << what;
        EXPECT_EQ(c.ranges, parsed.ranges) << what;
    }
}

TEST(SurfaceScanPlan, RangesAreClippedToTheDiskAndJoined) {
    struct Case {
        std::vector<SectorRange> ranges;
        int64_t sectors;
        std::vector<SectorRange> plan;
        const char* what;
    } cases[] = {
        {{{0, 62914560}, {955796545, 976768065}}, 976768065, {{0, 62914560}, {955796545, 976768065}}, "notebook disk"},
        {{{0, 62914560}, {-4906520, 16065000}}, 16065000, {{0, 16065000}}, "under 10 GiB: from 0, one range"},
        {{{0, 62914560}, {62914560 - 5, 70000000}}, 70000000, {{0, 70000000}}, "overlapping ranges read once"},
        {{{0, 10}, {10, 20}}, 100, {{0, 20}}, "touching ranges joined"},
        {{{200, 300}, {0, 10}}, 250, {{0, 10}, {200, 250}}, "in order, the end stops at the disk's end"},
        {{{300, 400}}, 250, {}, "wholly past the end"},
        {{{50, 40}}, 250, {}, "first after end"},
        {{{0, 62914560}}, 0, {}, "an empty disk"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.plan, PlanScan(c.ranges, c.sectors)) << c.what;
}

TEST(SurfaceScan, UnreadableSectorsAreNamedExactly) {
    // 5000 sectors: blocks of 2048 sectors, damage inside the first block,
    // across the first block's end and in the last sector.
    TempFile file(Image(5000 * 512));
    ImageDevice device(file.path(), 512);
    device.bad = {100, 101, 102, 2047, 2048, 4999};
    Scan scan;
    scan.Run(device, {{0, 5000}});
    const ScanOutcome& outcome = scan.outcome;
    EXPECT_EQ((std::vector<SectorRange>{{100, 103}, {2047, 2049}, {4999, 5000}}), outcome.unreadable);
    EXPECT_EQ(6, outcome.unreadableCount);
    EXPECT_EQ(5000 - 6, outcome.sectorsRead);
    EXPECT_EQ(kResultIoError, ScanExitCode(outcome));
    EXPECT_EQ(3 + 5000, device.reads) << "three blocks, each failed one again sector by sector";

    const std::string summary = ScanSummary("image", outcome);
    EXPECT_EQ("Surface scan of image\r\n"
              "Sectors to read: 5000 of 512 bytes (0-4999)\r\n"
              "Sectors read: 4994 (2 MB in 1.0 s, 2.4 MB/s)\r\n"
              "Unreadable sectors: 6\r\n"
              "  100-102\r\n"
              "  2047-2048\r\n"
              "  4999\r\n"
              "Result: the disk has unreadable sectors.\r\n",
              summary);
}

TEST(SurfaceScan, ReadableImagePassesWithItsProgress) {
    const uint32_t sizes[] = {512, 4096};
    for (uint32_t sectorSize : sizes) {
        TempFile file(Image(size_t{20} * 1024 * 1024 + 100)); // a part-sector at the end is not a sector
        ImageDevice device(file.path(), sectorSize);
        Scan scan;
        scan.Run(device, {{-100, 1000}, {device.SectorCount() - 3000, device.SectorCount() + 50}});
        EXPECT_EQ(1000 + 3000, scan.outcome.sectorsRead) << sectorSize;
        EXPECT_EQ(0, scan.outcome.unreadableCount);
        EXPECT_EQ(kResultPassed, ScanExitCode(scan.outcome));
        ASSERT_EQ(10u, scan.lines.size()) << "a line at each tenth";
        EXPECT_NE(std::string::npos, scan.lines.back().find("(100%)")) << scan.lines.back();
        EXPECT_NE(std::string::npos, ScanSummary("image", scan.outcome)
                                         .find("Unreadable sectors: none\r\n"
                                               "Result: every sector was read.\r\n"));
    }
}

TEST(SurfaceScan, NothingReadIsNeverAPass) {
    TempFile empty("");
    ImageDevice none(empty.path(), 512);
    Scan scan;
    scan.Run(none, {{0, 62914560}});
    EXPECT_EQ(0, scan.outcome.sectorsPlanned);
    EXPECT_EQ(kResultCouldNotTest, ScanExitCode(scan.outcome)) << "an image of 0 bytes";
    EXPECT_NE(std::string::npos, ScanSummary("image", scan.outcome).find("(none)"));

    // Stopped after the first progress line.
    TempFile file(Image(size_t{8} * 1024 * 1024));
    ImageDevice device(file.path(), 512);
    Scan stopped;
    stopped.Run(device, {{0, device.SectorCount()}}, 1);
    EXPECT_TRUE(stopped.outcome.stopped);
    EXPECT_LT(stopped.outcome.sectorsRead, device.SectorCount());
    EXPECT_EQ(kResultCouldNotTest, ScanExitCode(stopped.outcome));
    EXPECT_NE(std::string::npos, ScanSummary("image", stopped.outcome).find("The scan was stopped before its end."));
}

TEST(SurfaceScan, DeviceThatRefusesToReadIsNotTestedRatherThanDamaged) {
    TempFile file(Image(5000 * 512));
    struct Case {
        int64_t refuseFrom;
        std::set<int64_t> bad;
        int64_t read;
        int exitCode;
        const char* where;
    } cases[] = {
        {0, {}, 0, kResultCouldNotTest, "sector 0"},             // a made-up disk that reads nothing
        {3000, {}, 2048, kResultCouldNotTest, "sector 2048"},    // removed during the scan: the block's start
        {3000, {2100}, 3000 - 1, kResultIoError, "sector 3000"}, // the retry names where it stopped
    };
    for (const Case& c : cases) {
        ImageDevice device(file.path(), 512);
        device.refuseFrom = c.refuseFrom;
        device.bad = c.bad;
        Scan scan;
        scan.Run(device, {{0, 5000}});
        EXPECT_EQ(c.read, scan.outcome.sectorsRead) << c.where;
        EXPECT_EQ(c.exitCode, ScanExitCode(scan.outcome)) << c.where;
        EXPECT_NE(std::string::npos,
                  ScanSummary("image", scan.outcome)
                      .find(std::string("The disk refused to be read at ") + c.where + ": the device is gone.\r\n"))
            << c.where << "\n"
            << ScanSummary("image", scan.outcome);
    }
}

TEST(SurfaceScan, FailingDiskStopsAfterItsLimitOfUnreadableSectors) {
    TempFile file(Image(3000 * 512));
    ImageDevice device(file.path(), 512);
    for (int64_t sector = 0; sector < 3000; ++sector)
        device.bad.insert(sector);
    Scan scan;
    scan.Run(device, {{0, 3000}});
    EXPECT_TRUE(scan.outcome.gaveUp);
    EXPECT_EQ(kMaxUnreadableSectors, scan.outcome.unreadableCount);
    EXPECT_EQ((std::vector<SectorRange>{{0, kMaxUnreadableSectors}}), scan.outcome.unreadable);
    EXPECT_EQ(kResultIoError, ScanExitCode(scan.outcome));
    EXPECT_NE(std::string::npos, ScanSummary("image", scan.outcome).find("The scan stopped after 1000 unreadable"));
}
