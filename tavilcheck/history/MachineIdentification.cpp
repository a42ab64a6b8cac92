#include "MachineIdentification.h"

#include "SmbiosWalk.h"

namespace tavil {

const char kDmiServicesKey[] = "SOFTWARE\\Maricor Corporation\\Shared Info\\Shared Services";
const char kDmiVxdsKey[] = "SOFTWARE\\Maricor Corporation\\Shared Info\\Shared VxDs";

namespace {

constexpr DWORD kDriverPathSize = 260; // bytes, the terminating NUL included

bool ReadDriverPath(const char* key, const char* value, std::string& path) {
    char text[kDriverPathSize] = "";
    DWORD size = sizeof text;
    // REG_SZ, or REG_EXPAND_SZ with its variables expanded.
    if (::RegGetValueA(HKEY_LOCAL_MACHINE, key, value, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return false;
    path = text;
    return true;
}

// Opens the device of the driver at `driverPath` with its directory
// current; the caller's current directory is put back.
bool OpenDriver(DmiDevice& device, const std::string& driverPath) {
    const size_t slash = driverPath.find_last_of('\\');
    const std::string fileName = slash == std::string::npos ? driverPath : driverPath.substr(slash + 1);
    if (slash == std::string::npos)
        return device.Open("\\\\.\\" + fileName);
    char remembered[MAX_PATH + 1] = "";
    const DWORD length = ::GetCurrentDirectoryA(sizeof remembered, remembered);
    if (length == 0 || length >= sizeof remembered)
        return false;
    if (!::SetCurrentDirectoryA(driverPath.substr(0, slash).c_str()))
        return false;
    const bool opened = device.Open("\\\\.\\" + fileName);
    ::SetCurrentDirectoryA(remembered);
    return opened;
}

} // namespace

bool SystemDmiDevice::Open(const std::string& devicePath) {
    m_device.reset(::CreateFileA(devicePath.c_str(), 0, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    return static_cast<bool>(m_device);
}

bool SystemDmiDevice::Control(DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize) {
    DWORD returned = 0;
    return ::DeviceIoControl(m_device.get(), code, const_cast<void*>(in), inSize, out, outSize, &returned, nullptr) !=
           0;
}

std::string ReadModelName(DmiDevice& device) {
    std::string driverPath;
    if (!ReadDriverPath(kDmiServicesKey, "dmicall", driverPath) &&
        !ReadDriverPath(kDmiVxdsKey, "dmicall.vxd", driverPath))
        return {};
    if (!OpenDriver(device, driverPath))
        return {};
    std::string name =
        WalkForProductName([&](const uint8_t* request, size_t requestSize, uint8_t* reply, size_t replySize) {
            return device.Control(kDmiControlCode, request, static_cast<DWORD>(requestSize), reply,
                                  static_cast<DWORD>(replySize));
        });
    device.Close();
    return name;
}

} // namespace tavil
