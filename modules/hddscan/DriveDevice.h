// The surface scan's devices: a physical drive or an image file, read
// unbuffered (past the system's cache, so that the disk itself is read)
// in whole sectors at any position.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/Handles.h"
#include "modules/hddscan/SurfaceScan.h"

namespace tavil::modules {

class HandleSectorDevice : public SectorDevice {
public:
    // `handle` is opened for reading without buffering.
    HandleSectorDevice(fw::Handle handle, uint32_t sectorSize, int64_t sectorCount);

    uint32_t SectorSize() const override { return sectorSize_; }
    int64_t SectorCount() const override { return sectorCount_; }
    ReadResult Read(int64_t first, uint32_t count, uint8_t* buffer) override;
    std::string LastError() const override;

private:
    fw::Handle handle_;
    uint32_t sectorSize_;
    int64_t sectorCount_;
    static constexpr uint64_t kUnknownPosition = ~uint64_t{0};
    uint64_t position_ = 0; // of the file pointer: reads in order need no seek
    DWORD error_ = 0;
};

// True for the errors of a read that say the device does not read at all
// (no medium, removed, not a readable disk, bad request) rather than that
// the medium failed; any other error counts as unreadable sectors, as a
// failing disk may answer with any of them.
bool IsRefusal(DWORD error);

// \\.\PHYSICALDRIVE<drive> with its sector size and length as the drive
// reports them; none, with the reason in `error`, when it does not open or
// does not report them.
std::unique_ptr<HandleSectorDevice> OpenPhysicalDrive(int drive, std::string& error);

// An image file read as a drive of `sectorSize`-byte sectors (the whole
// sectors of its length).
std::unique_ptr<HandleSectorDevice> OpenImageFile(const std::string& path, uint32_t sectorSize, std::string& error);

// "\\.\PHYSICALDRIVE<drive>".
std::string PhysicalDrivePath(int drive);

} // namespace tavil::modules
