// The hard-disk test's call of its script: which sectors of a drive it
// reads (the first 30 GiB and the last 10 GiB) and the script's command
// line.  Sector numbers are computed in 64 bits, so disks over 2 TiB get
// their real ranges.  Portable: no Windows header.
#pragma once

#include <cstdint>
#include <string>

namespace tavil {

// A drive's geometry as the system reports it.
struct DriveGeometry {
    int64_t cylinders = 0;
    uint32_t tracksPerCylinder = 0;
    uint32_t sectorsPerTrack = 0;
    uint32_t bytesPerSector = 0;
};

// The two sector ranges the script is given: 0 .. firstEnd, and
// secondStart .. end (secondStart is negative on a disk under 10 GiB and
// is passed so; the tool reads it from sector 0).
struct SectorRanges {
    int64_t firstEnd = 0;
    int64_t secondStart = 0;
    int64_t end = 0;
};

// False for a geometry without sectors (a sector size of 0, no sectors at
// all): such a drive has no ranges and is not tested.
bool HardDiskRanges(const DriveGeometry& geometry, SectorRanges& ranges);

// The script's arguments after the module directory: `logArgument` (the
// module log directory, or the drive option), the drive option, then
// " -RL0 -RH<firstEnd> -RL<secondStart> -RH<end>".
std::string HardDiskArguments(const std::string& logArgument, int drive, const SectorRanges& ranges);

// " -D<drive>".
std::string DriveOption(int drive);

} // namespace tavil
