// The main window's 32-bit mode word; every page and run worker gets a copy.
#pragma once

#include <cstdint>

namespace tavil {

constexpr uint32_t FLAG_SERVICE = 0x01;         // service installation (plain TYPE=SERVICE file)
constexpr uint32_t FLAG_WINDIR_OTHER = 0x02;    // the Windows directory path lacks "windows"
constexpr uint32_t FLAG_BATCH = 0x04;           // worker copy only: a batch run is calling modules
constexpr uint32_t FLAG_STOP_WHEN_ERROR = 0x08; // "Stop When Error", taken at run start
constexpr uint32_t FLAG_FULLTEST = 0x10;        // SUBTYPE=FULLTEST: the batch page is the Full Test
constexpr uint32_t FLAG_RECOVERY = 0x20;        // TYPE=RECOVERY: recovery check build
constexpr uint32_t FLAG_HYPER = 0x80;           // SUBTYPE=HYPER in a service file

} // namespace tavil
