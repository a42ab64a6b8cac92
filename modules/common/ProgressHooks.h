// What the console test programs give their portable cores: a clock, the
// line writer for progress and a stop request; and the rate they report.
// Portable: no Windows header.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tavil::modules {

struct ProgressHooks {
    std::function<double()> clock;                // seconds, monotonic
    std::function<void(const std::string&)> line; // a progress line ("...\r\n")
    std::function<bool()> stopRequested;          // may be empty
};

// Megabytes (2^20 bytes) per second; 0 for no time measured.
inline double RateMBps(uint64_t bytes, double seconds) {
    return seconds > 0 ? static_cast<double>(bytes) / (1024.0 * 1024.0) / seconds : 0;
}

} // namespace tavil::modules
