// The machine's model name, read once when the main window is set up:
// the DMI access driver found through the registry, opened as a device
// and asked for the System Information structure of the SMBIOS table.
#pragma once

#include <windows.h>

#include <string>

#include "framework/Handles.h"

namespace tavil {

// Where the driver's path is kept, under HKEY_LOCAL_MACHINE: the first
// value that can be read is taken.
extern const char kDmiServicesKey[]; // value "dmicall"
extern const char kDmiVxdsKey[];     // value "dmicall.vxd"

// The device the exchange goes to.  The product uses the real driver;
// tests install a double that answers from SMBIOS tables given as bytes
// (no test machine has the driver).
class DmiDevice {
public:
    virtual ~DmiDevice() = default;
    // Opens `devicePath` ("\\.\" + the driver's file name) for device
    // control; false when it cannot be opened.
    virtual bool Open(const std::string& devicePath) = 0;
    // One device-control call; false when it failed.
    virtual bool Control(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize) = 0;
    virtual void Close() = 0;
};

// The driver itself: CreateFile and DeviceIoControl.
class SystemDmiDevice final : public DmiDevice {
public:
    bool Open(const std::string& devicePath) override;
    bool Control(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize) override;
    void Close() override { m_device.reset(); }

private:
    fw::Handle m_device;
};

// The product name of the System Information structure, at most 127
// characters; empty without the driver or when anything of the exchange
// fails.  The driver's directory is made current while the device is
// opened (a driver given by a relative name is found there), and the
// current directory is put back at once.
std::string ReadModelName(DmiDevice& device);

} // namespace tavil
