// Switching the machine off after the user chose "quit with shutdown".
// The product asks the system for real; tests install a recording double.
#pragma once

namespace tavil {

class PowerOff {
public:
    virtual ~PowerOff() = default;
    // Asks the system to power the machine off.  Returns only when the
    // request failed (or, with a double, was recorded).
    virtual void RequestPowerOff() = 0;
};

// The system's power-off: the shutdown privilege, then NtShutdownSystem
// with the power-off action.
class SystemPowerOff : public PowerOff {
public:
    void RequestPowerOff() override;
};

} // namespace tavil
