// Library-wide switches of the skinned-control library.
#pragma once

namespace TesselAPI {
// Sets the theme ("Luna") mode and returns the previous setting.  With the
// mode on, the skinned windows leave the frame to the system theme; off,
// the library draws its own flat frame.
bool EnableLuna(bool enable);
bool IsLunaEnabled();
} // namespace TesselAPI
