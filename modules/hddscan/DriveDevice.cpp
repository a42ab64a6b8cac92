#include "modules/hddscan/DriveDevice.h"

#include <winioctl.h>

#include "modules/common/ConsoleProgram.h"

namespace tavil::modules {

namespace {

fw::Handle OpenForReading(const std::string& path, std::string& error) {
    // Windows keeps its own disks open for writing: they must be shared so.
    fw::Handle handle(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_NO_BUFFERING, nullptr));
    if (!handle)
        error = "cannot open " + path + " for reading: " + SystemErrorText(::GetLastError());
    return handle;
}

} // namespace

HandleSectorDevice::HandleSectorDevice(fw::Handle handle, uint32_t sectorSize, int64_t sectorCount)
    : handle_(std::move(handle)), sectorSize_(sectorSize), sectorCount_(sectorCount) {}

ReadResult HandleSectorDevice::Read(int64_t first, uint32_t count, uint8_t* buffer) {
    const uint64_t offset = static_cast<uint64_t>(first) * sectorSize_;
    // Positioned reads of a synchronous handle go a slower way under Wine:
    // the file pointer is moved only when the reads are not in order.
    if (offset != position_) {
        LARGE_INTEGER to;
        to.QuadPart = static_cast<LONGLONG>(offset);
        if (!::SetFilePointerEx(handle_.get(), to, nullptr, FILE_BEGIN)) {
            error_ = ::GetLastError();
            position_ = kUnknownPosition;
            return ReadResult::Refused;
        }
        position_ = offset;
    }
    const DWORD bytes = count * sectorSize_;
    DWORD read = 0;
    const bool done = ::ReadFile(handle_.get(), buffer, bytes, &read, nullptr);
    if (done && read == bytes) {
        position_ = offset + bytes;
        return ReadResult::Read;
    }
    // After a failure the file pointer is not known: seek next time.
    position_ = kUnknownPosition;
    error_ = done ? ERROR_HANDLE_EOF : ::GetLastError(); // a short read: the device ended
    return IsRefusal(error_) ? ReadResult::Refused : ReadResult::Unreadable;
}

std::string HandleSectorDevice::LastError() const { return SystemErrorText(error_); }

bool IsRefusal(DWORD error) {
    switch (error) {
    case ERROR_INVALID_FUNCTION: // not a device that reads (Wine's made-up disks)
    case ERROR_ACCESS_DENIED:
    case ERROR_INVALID_HANDLE:
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_NOT_READY: // no medium
    case ERROR_NOT_SUPPORTED:
    case ERROR_DEV_NOT_EXIST:
    case ERROR_INVALID_PARAMETER:    // an unaligned read
    case ERROR_HANDLE_EOF:           // past the device's end
    case ERROR_DEVICE_NOT_CONNECTED: // the disk was removed
    case ERROR_NO_SYSTEM_RESOURCES:
        return true;
    default:
        return false;
    }
}

std::string PhysicalDrivePath(int drive) { return "\\\\.\\PHYSICALDRIVE" + std::to_string(drive); }

std::unique_ptr<HandleSectorDevice> OpenPhysicalDrive(int drive, std::string& error) {
    const std::string path = PhysicalDrivePath(drive);
    fw::Handle handle = OpenForReading(path, error);
    if (!handle)
        return nullptr;
    DISK_GEOMETRY_EX geometry{};
    DWORD returned = 0;
    if (!::DeviceIoControl(handle.get(), IOCTL_DISK_GET_DRIVE_GEOMETRY_EX, nullptr, 0, &geometry, sizeof geometry,
                           &returned, nullptr)) {
        error = path + " does not report its size: " + SystemErrorText(::GetLastError());
        return nullptr;
    }
    const uint32_t sectorSize = geometry.Geometry.BytesPerSector;
    if (sectorSize == 0) {
        error = path + " reports a sector size of 0";
        return nullptr;
    }
    return std::make_unique<HandleSectorDevice>(std::move(handle), sectorSize,
                                                geometry.DiskSize.QuadPart / static_cast<LONGLONG>(sectorSize));
}

std::unique_ptr<HandleSectorDevice> OpenImageFile(const std::string& path, uint32_t sectorSize, std::string& error) {
    fw::Handle handle = OpenForReading(path, error);
    if (!handle)
        return nullptr;
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(handle.get(), &size)) {
        error = path + " has no size: " + SystemErrorText(::GetLastError());
        return nullptr;
    }
    return std::make_unique<HandleSectorDevice>(std::move(handle), sectorSize, size.QuadPart / sectorSize);
}

} // namespace tavil::modules
