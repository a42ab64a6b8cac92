#include "TesselAPI.h"

namespace TesselAPI {
namespace {
bool g_luna = true;
}
bool EnableLuna(bool enable) {
    bool previous = g_luna;
    g_luna = enable;
    return previous;
}
bool IsLunaEnabled() { return g_luna; }
} // namespace TesselAPI
