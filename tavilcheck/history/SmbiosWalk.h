// The exchange with the DMI access driver that yields the machine's model:
// the table-information request, then a walk over the SMBIOS structures
// one request at a time, taking the product name of the System
// Information structure (type 1).  Portable: the device-control call is
// given as a function, so the walk runs the same on a real driver, on a
// test double and under a fuzzer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace tavil {

constexpr uint32_t kDmiControlCode = 0x220000;
constexpr uint16_t kDmiTableInformation = 0x50; // request: table information
constexpr uint16_t kDmiGetStructure = 0x51;     // request: one structure by handle
constexpr uint8_t kDmiStatusSuccess = 0;
constexpr uint8_t kDmiStatusBusy = 0x83; // "ask again"
constexpr uint16_t kDmiLastHandle = 0xFFFF;
constexpr size_t kDmiInformationSize = 12;
constexpr size_t kMaxModelNameLength = 127;

// One device-control call with code kDmiControlCode: `request` of
// `requestSize` bytes in, the reply into `reply` (`replySize` bytes,
// zeroed before the call).  False when the call failed.
using DmiExchange = std::function<bool(const uint8_t* request, size_t requestSize, uint8_t* reply, size_t replySize)>;

// The product name, at most kMaxModelNameLength characters, or empty when
// there is none or the driver's answers went wrong.  The walk asks at most
// as many times as the table has structures (a busy answer counts), so a
// chain of handles that never reaches kDmiLastHandle ends; it reads a
// structure only within the reply buffer.
std::string WalkForProductName(const DmiExchange& exchange);

// String `number` (from 1) of the structure at `structure`, of which
// `size` bytes are readable; false for 0, a number past the string set, a
// string cut off by the end, or a formatted area that does not fit.
bool SmbiosStructureString(const uint8_t* structure, size_t size, uint8_t number, std::string& text);

} // namespace tavil
