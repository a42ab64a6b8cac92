#include "PerformanceSetting.h"

#include "MachineUtility.h"

namespace perfmode {
namespace {
constexpr uint32_t kPerformanceDefaultMachine = 75;
}

PerformanceSetting::PerformanceSetting(MachineUtility& utility) : m_utility(utility) {
    uint32_t machineId = 0;
    if (m_utility.getMachineID)
        m_utility.getMachineID(m_utility.handle(), &machineId);
    defaultMode = machineId == kPerformanceDefaultMachine ? 1 : 0;
}

bool PerformanceSetting::Read() {
    uint32_t state = 0;
    if (m_utility.callDriverDWORD)
        m_utility.callDriverDWORD(m_utility.handle(), MU_READ_STATE_WORD, &state);
    selectedMode = static_cast<int32_t>((state >> MU_STATE_SELECTED_BIT) & 1);
    activeMode = static_cast<int32_t>((state >> MU_STATE_ACTIVE_BIT) & 1);
    return true;
}

bool PerformanceSetting::Write() {
    // The library gets the member itself (signed and unsigned may alias).
    if (m_utility.callDriverDWORD)
        m_utility.callDriverDWORD(m_utility.handle(), MU_WRITE_SELECTED_MODE,
                                  reinterpret_cast<uint32_t*>(&selectedMode));
    return true;
}

bool PerformanceSetting::SetDefault() {
    if (selectedMode == defaultMode)
        return false;
    selectedMode = defaultMode;
    return true;
}

} // namespace perfmode
