// Process privileges both programs need.
#pragma once

namespace fw {

// Enables SeShutdownPrivilege in the process token, needed before asking
// the system to power off or restart; false when it could not be enabled.
bool EnableShutdownPrivilege();

} // namespace fw
