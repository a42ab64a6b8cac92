// The system-information module's report: the facts it gathered about the
// machine, the reading of the firmware's SMBIOS table and the text of
// cfg.log.  Portable: the module gathers the facts from the system; the
// tests make them up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tavil::modules {

struct SmbiosFacts {
    std::string biosVendor, biosVersion, biosDate;                // structure type 0
    std::string systemManufacturer, systemProduct, systemVersion; // structure type 1
};

// Reads the BIOS and system structures from the firmware table as the
// system hands it out (the RSMB table: an 8-byte header with the table's
// length at offset 4, then the structures).  Anything cut short or
// malformed ends the reading; what was read so far is kept.  False when
// the table holds neither structure.
bool ParseSmbios(const uint8_t* data, size_t size, SmbiosFacts& facts);

struct DriveFacts {
    std::string root;       // "C:\"
    std::string kind;       // "Fixed" or "Removable"
    bool ready = false;     // false: no medium, or it could not be read
    std::string fileSystem; // "NTFS"
    uint64_t totalBytes = 0;
    uint64_t freeBytes = 0;
};

struct MachineFacts {
    std::string operatingSystem; // "Windows 10 Pro 10.0 build 19045"
    std::string computerName;
    std::string processorBrand;
    unsigned processorCount = 0;
    uint64_t totalMemory = 0;
    uint64_t availableMemory = 0;
    std::vector<DriveFacts> drives;
    std::vector<std::string> displayAdapters;
    bool hasFirmwareTable = false;
    SmbiosFacts firmware;
};

// The text of cfg.log, lines ending in "\n" (the module writes it in text
// mode).
std::string ConfigReportText(const MachineFacts& facts);

} // namespace tavil::modules
