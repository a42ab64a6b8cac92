#include "modules/hwconfig/ConfigReport.h"

#include <cinttypes>
#include <cstdio>

namespace tavil::modules {

namespace {

// String `number` (from 1) of the string set that starts at `strings` and
// ends before `end`; empty for 0 or a number past the set.
std::string SmbiosString(const uint8_t* strings, const uint8_t* end, uint8_t number) {
    if (number == 0)
        return {};
    const uint8_t* p = strings;
    for (uint8_t n = 1; p < end && *p != 0; ++n) {
        const uint8_t* start = p;
        while (p < end && *p != 0)
            ++p;
        if (n == number)
            return std::string(reinterpret_cast<const char*>(start), p - start);
        ++p;
    }
    return {};
}

std::string Megabytes(uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%" PRIu64 " MB", bytes / (uint64_t{1024} * 1024));
    return text;
}

std::string Field(const char* label, const std::string& value) {
    char text[32];
    std::snprintf(text, sizeof text, "%-22s: ", label);
    return text + (value.empty() ? std::string("(unknown)") : value) + "\n";
}

} // namespace

bool ParseSmbios(const uint8_t* data, size_t size, SmbiosFacts& facts) {
    if (!data || size < 8)
        return false;
    uint32_t length = uint32_t(data[4]) | uint32_t(data[5]) << 8 | uint32_t(data[6]) << 16 | uint32_t(data[7]) << 24;
    const uint8_t* p = data + 8;
    const uint8_t* end = p + (length < size - 8 ? length : size - 8);
    bool found = false;
    while (end - p >= 4) {
        uint8_t type = p[0], formatted = p[1];
        if (formatted < 4 || formatted > end - p)
            break;
        const uint8_t* strings = p + formatted;
        // The string set ends with two NULs (a structure without strings
        // has just the two).
        const uint8_t* next = strings;
        while (next + 1 < end && !(next[0] == 0 && next[1] == 0))
            ++next;
        if (next + 1 >= end)
            break;
        next += 2;
        auto text = [&](size_t offset) {
            return offset < formatted ? SmbiosString(strings, next, p[offset]) : std::string();
        };
        if (type == 0) {
            facts.biosVendor = text(4);
            facts.biosVersion = text(5);
            facts.biosDate = text(8);
            found = true;
        } else if (type == 1) {
            facts.systemManufacturer = text(4);
            facts.systemProduct = text(5);
            facts.systemVersion = text(6);
            found = true;
        } else if (type == 127) {
            break;
        }
        p = next;
    }
    return found;
}

std::string ConfigReportText(const MachineFacts& f) {
    std::string text;
    text += Field("Operating system", f.operatingSystem);
    text += Field("Computer name", f.computerName);
    text += Field("Processor", f.processorBrand);
    text += Field("Logical processors", f.processorCount ? std::to_string(f.processorCount) : std::string());
    text += Field("Memory", f.totalMemory ? Megabytes(f.totalMemory) + " (" + Megabytes(f.availableMemory) + " free)"
                                          : std::string());
    for (const DriveFacts& d : f.drives) {
        std::string label = d.kind + " drive " + d.root;
        std::string value = !d.ready ? "no medium or not readable"
                                     : (d.fileSystem.empty() ? std::string("unknown file system") : d.fileSystem) +
                                           ", " + Megabytes(d.totalBytes) + " (" + Megabytes(d.freeBytes) + " free)";
        text += Field(label.c_str(), value);
    }
    if (f.drives.empty())
        text += Field("Drives", "none found");
    for (const std::string& adapter : f.displayAdapters)
        text += Field("Display adapter", adapter);
    if (f.displayAdapters.empty())
        text += Field("Display adapter", "none found");
    if (!f.hasFirmwareTable) {
        text += Field("Firmware (SMBIOS)", "not available");
    } else {
        text += Field("System manufacturer", f.firmware.systemManufacturer);
        text += Field("System product", f.firmware.systemProduct);
        text += Field("System version", f.firmware.systemVersion);
        text += Field("BIOS vendor", f.firmware.biosVendor);
        text += Field("BIOS version", f.firmware.biosVersion);
        text += Field("BIOS date", f.firmware.biosDate);
    }
    return text;
}

} // namespace tavil::modules
