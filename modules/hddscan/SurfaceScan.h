// The surface scan's reading core: which sectors of a drive to read, the
// reading itself in large blocks with a sector-by-sector retry of a block
// that fails, and the report.  Portable: the program gives it a drive
// opened for unbuffered reading; the tests give it image files and
// devices with unreadable regions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "modules/common/ProgressHooks.h"

namespace tavil::modules {

// Sectors first .. end - 1.
struct SectorRange {
    int64_t first = 0;
    int64_t end = 0;
    bool operator==(const SectorRange& other) const { return first == other.first && end == other.end; }
};

// The program's arguments:
//   hddscan.exe [LOG-DIRECTORY] -D<drive> [-D<drive>] -RL<first> -RH<end> [-RL<first> -RH<end>]...
// -RH names the sector after the last one to read.  The drive option may
// come twice (the diagnostics program passes it in place of a log
// directory when there is none).
struct ScanArguments {
    std::string logDirectory; // as given; empty when none
    int drive = -1;
    std::vector<SectorRange> ranges; // as given, unclipped
    std::string error;               // why the arguments cannot be used; empty when they can
};
ScanArguments ParseScanArguments(const std::vector<std::string>& arguments);

// The ranges clipped to a disk of `sectorCount` sectors (a negative first
// sector is read from 0, an end past the disk stops at its end), without
// the empty ones, and overlapping or touching ranges joined, in order.
std::vector<SectorRange> PlanScan(const std::vector<SectorRange>& ranges, int64_t sectorCount);

enum class ReadResult {
    Read,
    Unreadable, // the medium failed: damaged sectors among them
    Refused,    // the device does not read at all (no medium, gone, not a disk that can be read)
};

// A drive or an image read in whole sectors.
class SectorDevice {
public:
    virtual ~SectorDevice() = default;
    virtual uint32_t SectorSize() const = 0;
    virtual int64_t SectorCount() const = 0;
    // Reads `count` sectors from sector `first` into `buffer` (aligned as
    // unbuffered reading needs).
    virtual ReadResult Read(int64_t first, uint32_t count, uint8_t* buffer) = 0;
    // Why the last read failed.
    virtual std::string LastError() const = 0;
};

// Bytes read at a time; the buffer given to the scan holds this much.
constexpr size_t kScanBlockBytes = size_t{1024} * 1024;
// A disk this bad is failing: the scan stops after naming this many
// unreadable sectors instead of spending hours on timeouts.
constexpr int64_t kMaxUnreadableSectors = 1000;

struct ScanOutcome {
    std::vector<SectorRange> plan;
    uint32_t sectorSize = 0;
    int64_t sectorsPlanned = 0;
    int64_t sectorsRead = 0; // read without error
    std::vector<SectorRange> unreadable;
    int64_t unreadableCount = 0;
    bool gaveUp = false;  // stopped after kMaxUnreadableSectors
    bool stopped = false; // asked to stop
    std::string refusal;  // the device refused to read: where and why
    double seconds = 0;
};

// Reads every sector of `plan` (from PlanScan) into `buffer`
// (kScanBlockBytes, aligned); a block that fails is read again sector by
// sector, so that the unreadable ones are named exactly.  A device that
// refuses to read ends the scan: that is no fault of the medium.  A
// progress line comes at every tenth of the way.
ScanOutcome ScanSectors(SectorDevice& device, const std::vector<SectorRange>& plan, uint8_t* buffer,
                        const ProgressHooks& hooks);

// Exit codes of the program (modules/common/ModuleResults.h): 0 every
// sector was read, 2 nothing could be tested (bad arguments, the drive
// does not open or refuses to read, nothing to read, stopped), 3
// unreadable sectors found.
int ScanExitCode(const ScanOutcome& outcome);

// The result lines: what was read, the read rate, the unreadable sectors
// (runs as "first-last"), the verdict.
std::string ScanSummary(const std::string& what, const ScanOutcome& outcome);

} // namespace tavil::modules
