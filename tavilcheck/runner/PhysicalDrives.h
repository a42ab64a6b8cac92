// The machine's physical drives as the hard-disk test sees them: whether
// \\.\PHYSICALDRIVE<n> opens and what geometry it reports.  The product
// asks the system; tests put in a double that describes drives, since
// Wine has no physical-drive geometry.
#pragma once

#include <cstdint>

#include "HardDiskRanges.h"

namespace tavil {

// The media type of a fixed hard disk in the system's geometry answer.
constexpr uint32_t kFixedMedia = 12;
constexpr int kPhysicalDriveCount = 16;

enum class DriveAnswer {
    Absent,     // the device does not open
    NoGeometry, // it opened but did not answer the geometry query
    Answered,
};

class PhysicalDrives {
public:
    virtual ~PhysicalDrives() = default;
    // Opens drive `drive` for reading (shared for reading), asks its
    // geometry and closes it again.
    virtual DriveAnswer QueryGeometry(int drive, DriveGeometry& geometry, uint32_t& mediaType) = 0;
};

// The real devices and the real query.
class SystemPhysicalDrives : public PhysicalDrives {
public:
    DriveAnswer QueryGeometry(int drive, DriveGeometry& geometry, uint32_t& mediaType) override;
};

} // namespace tavil
