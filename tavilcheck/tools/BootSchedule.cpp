#include "BootSchedule.h"

#include <windows.h>

#include <vector>

#include "CheckDiskText.h"
#include "framework/Handles.h"

namespace tavil {

const char kSessionManagerKey[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";

namespace {
const char kBootExecute[] = "BootExecute";
}

bool ScheduleCheckAtRestart(const std::string& volumePath, bool recover) {
    fw::RegistryKey key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManagerKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.receive()) !=
        ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = 0;
    const bool present = ::RegQueryValueExA(key.get(), kBootExecute, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    std::vector<std::string> entries;
    if (present && size > 0 && (type == REG_MULTI_SZ || type == REG_SZ || type == REG_EXPAND_SZ)) {
        std::string data(size, '\0');
        if (::RegQueryValueExA(key.get(), kBootExecute, nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size) ==
            ERROR_SUCCESS) {
            data.resize(size);
            entries = SplitMultiString(data);
        }
    }
    const std::string value =
        JoinMultiString(ScheduleBootExecute(entries, present, BootExecuteEntry(volumePath, recover)));
    return ::RegSetValueExA(key.get(), kBootExecute, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(value.data()),
                            static_cast<DWORD>(value.size())) == ERROR_SUCCESS;
}

} // namespace tavil
