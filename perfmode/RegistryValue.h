// One registry value, read through the shell's registry functions.  perfmode
// uses it to find the machine-utility library.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace perfmode {

struct RegistryValue {
    enum Type : DWORD { kUnknown = 0, kString = REG_SZ, kBytes = REG_BINARY, kNumber = REG_DWORD };

    HKEY root = HKEY_LOCAL_MACHINE;
    std::string subKey;
    std::string valueName;
    DWORD type = kUnknown; // as stored: other types than the three keep no data
    DWORD size = 0;        // bytes, as read
    std::string text;      // kString
    std::vector<uint8_t> bytes;
    DWORD number = 0;
    bool createIfMissing = false;

    // Reads type, size and data.  Throws mns_co_BadEnvironment (kind 5,
    // the error) when the key or value does not exist (2) or the request is
    // invalid (87), mns_co_InternalException (kind 2, the error) for any
    // other registry error, mns_co_MemoryException when the buffer cannot
    // be allocated.
    void Read();
};

} // namespace perfmode
