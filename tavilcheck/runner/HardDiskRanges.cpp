#include "HardDiskRanges.h"

namespace tavil {

namespace {
constexpr int64_t kGibibyte = int64_t{1024} * 1048576;
constexpr int64_t kFirstRangeBytes = 30 * kGibibyte;
constexpr int64_t kLastRangeBytes = 10 * kGibibyte;
} // namespace

bool HardDiskRanges(const DriveGeometry& geometry, SectorRanges& ranges) {
    if (geometry.bytesPerSector == 0 || geometry.cylinders <= 0)
        return false;
    const int64_t sectors = geometry.cylinders * geometry.tracksPerCylinder * geometry.sectorsPerTrack;
    if (sectors <= 0)
        return false;
    ranges.firstEnd = kFirstRangeBytes / geometry.bytesPerSector;
    ranges.secondStart = sectors - kLastRangeBytes / geometry.bytesPerSector;
    ranges.end = sectors;
    return true;
}

std::string DriveOption(int drive) { return " -D" + std::to_string(drive); }

std::string HardDiskArguments(const std::string& logArgument, int drive, const SectorRanges& ranges) {
    return logArgument + DriveOption(drive) + " -RL0 -RH" + std::to_string(ranges.firstEnd) + " -RL" +
           std::to_string(ranges.secondStart) + " -RH" + std::to_string(ranges.end);
}

} // namespace tavil
