// The speaker: the product sounds the real one; tests count the beeps.
#pragma once

#include <windows.h>

namespace tavil {

class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void Sound(DWORD hertz, DWORD milliseconds) = 0;
};

class SystemBeeper final : public Beeper {
public:
    void Sound(DWORD hertz, DWORD milliseconds) override { ::Beep(hertz, milliseconds); }
};

} // namespace tavil
