// The firmware's performance mode, read and written through the
// machine-utility library.  Mode 0 gives priority to power saving (memory
// bus 266 MHz, graphics core 200 MHz), mode 1 to performance (333 MHz,
// 250 MHz).  A stored choice takes effect when Windows restarts.
#pragma once

#include <cstdint>

namespace perfmode {

class MachineUtility;

class PerformanceSetting {
public:
    // Reads the machine ID: machine 75 has performance as its default.
    explicit PerformanceSetting(MachineUtility& utility);
    virtual ~PerformanceSetting() = default;

    virtual bool IsAvailable() const { return true; }
    // Reads the state word (function 0x60): bit 4 the selected mode, bit 0
    // the active one.  What the library returns is not examined.
    virtual bool Read();
    // Stores selectedMode for the next start (function 0x5F).
    virtual bool Write();
    // Selects the default mode; false when it was selected already.
    virtual bool SetDefault();

    int32_t selectedMode = 0;
    int32_t activeMode = 0;
    int32_t defaultMode = 0;

private:
    MachineUtility& m_utility;
};

} // namespace perfmode
