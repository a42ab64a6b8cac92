#include "PhysicalDrives.h"

#include <windows.h>
#include <winioctl.h>

#include <string>

#include "framework/Handles.h"

namespace tavil {

DriveAnswer SystemPhysicalDrives::QueryGeometry(int drive, DriveGeometry& geometry, uint32_t& mediaType) {
    const std::string path = "\\\\.\\PHYSICALDRIVE" + std::to_string(drive);
    fw::Handle device(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!device)
        return DriveAnswer::Absent;
    DISK_GEOMETRY answer{};
    DWORD returned = 0;
    if (!::DeviceIoControl(device.get(), IOCTL_DISK_GET_DRIVE_GEOMETRY, nullptr, 0, &answer, sizeof answer, &returned,
                           nullptr) ||
        returned < sizeof answer)
        return DriveAnswer::NoGeometry;
    // Only the low 32 bits of the cylinder count are meaningful.
    geometry.cylinders = static_cast<uint32_t>(answer.Cylinders.QuadPart);
    geometry.tracksPerCylinder = answer.TracksPerCylinder;
    geometry.sectorsPerTrack = answer.SectorsPerTrack;
    geometry.bytesPerSector = answer.BytesPerSector;
    mediaType = static_cast<uint32_t>(answer.MediaType);
    return DriveAnswer::Answered;
}

} // namespace tavil
