#include "RegistryValue.h"

#include <shlwapi.h>

#include <cstring>
#include <new>

#include "Exceptions.h"

namespace perfmode {
namespace {

[[noreturn]] void ThrowRegistryError(LONG error) {
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_INVALID_PARAMETER)
        throw mns_co_BadEnvironment(mns_co_Exception::kRegistry, error);
    throw mns_co_InternalException(mns_co_Exception::kSystem, error);
}

} // namespace

void RegistryValue::Read() {
    // Type and size first; SRRF_NOEXPAND keeps an expandable string as
    // what it is (type 2) instead of handing it over expanded.
    const DWORD flags = SRRF_RT_ANY | SRRF_NOEXPAND;
    DWORD storedType = 0, storedSize = 0;
    LONG error = ::SHRegGetValueA(root, subKey.c_str(), valueName.c_str(), flags, &storedType, nullptr, &storedSize);
    if (error != ERROR_SUCCESS)
        ThrowRegistryError(error);

    std::vector<uint8_t> buffer;
    try {
        buffer.assign(storedSize, 0);
    } catch (const std::bad_alloc&) {
        throw mns_co_MemoryException();
    }
    DWORD readSize = storedSize;
    error = ::SHRegGetValueA(root, subKey.c_str(), valueName.c_str(), flags, &storedType,
                             buffer.empty() ? nullptr : buffer.data(), &readSize);
    if (error != ERROR_SUCCESS)
        ThrowRegistryError(error);

    type = storedType;
    size = readSize;
    text.clear();
    bytes.clear();
    number = 0;
    switch (type) {
    case kString: {
        // The stored string need not end in a terminator.
        const char* data = reinterpret_cast<const char*>(buffer.data());
        size_t length = readSize <= buffer.size() ? readSize : buffer.size();
        text.assign(data, length);
        text.resize(std::strlen(text.c_str()));
        break;
    }
    case kBytes:
        bytes.assign(buffer.begin(), buffer.begin() + (readSize <= buffer.size() ? readSize : buffer.size()));
        break;
    case kNumber:
        if (buffer.size() >= sizeof number)
            std::memcpy(&number, buffer.data(), sizeof number);
        break;
    default:
        break; // other types keep nothing
    }
}

} // namespace perfmode
