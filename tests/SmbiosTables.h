// SMBIOS tables for the tests of the model-name walk: a notebook's table
// laid out as the firmware of a 2.7 machine does (BIOS, System, Base Board,
// Chassis, Processor, Memory, Boot, End of Table, each with its formatted
// area at its real length), and this machine's own table when Linux lets
// it be read.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "SmbiosDriverDouble.h"

namespace tavil::test {

// Builds one structure: `type`, the formatted area after its 4-byte
// header (`handle` in it), then `strings`.
inline std::vector<uint8_t> SmbiosStructure(uint8_t type, uint16_t handle, const std::vector<uint8_t>& formatted,
                                            const std::vector<std::string>& strings) {
    std::vector<uint8_t> bytes = {type, static_cast<uint8_t>(4 + formatted.size()), static_cast<uint8_t>(handle),
                                  static_cast<uint8_t>(handle >> 8)};
    bytes.insert(bytes.end(), formatted.begin(), formatted.end());
    for (const std::string& s : strings) {
        bytes.insert(bytes.end(), s.begin(), s.end());
        bytes.push_back(0);
    }
    if (strings.empty())
        bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

inline std::vector<uint8_t> Joined(const std::vector<std::vector<uint8_t>>& structures) {
    std::vector<uint8_t> table;
    for (const auto& s : structures)
        table.insert(table.end(), s.begin(), s.end());
    return table;
}

inline std::vector<uint8_t> Zeros(size_t count) { return std::vector<uint8_t>(count, 0); }

// The System Information structure (type 1, 27 bytes) with `product` as
// string `productNumber`.
inline std::vector<uint8_t> SystemInformation(uint16_t handle, const std::vector<std::string>& strings,
                                              uint8_t productNumber) {
    std::vector<uint8_t> formatted = Zeros(0x1B - 4);
    formatted[0] = 1;             // manufacturer
    formatted[1] = productNumber; // product name (offset 5)
    formatted[2] = 3;             // version
    formatted[3] = 4;             // serial number
    formatted[0x18 - 4] = 6;      // wake-up type: power switch
    return SmbiosStructure(1, handle, formatted, strings);
}

inline std::vector<uint8_t> NotebookTable(const std::string& product = "TAVIL N14 Pro") {
    std::vector<uint8_t> bios = Zeros(0x18 - 4);
    bios[0] = 1, bios[1] = 2, bios[4] = 3, bios[5] = 0x1F; // vendor, version, date, 2 MB ROM
    std::vector<uint8_t> board = Zeros(0x0F - 4);
    board[0] = 1, board[1] = 2, board[2] = 3, board[3] = 4;
    std::vector<uint8_t> chassis = Zeros(0x16 - 4);
    chassis[0] = 1, chassis[1] = 0x0A; // notebook
    std::vector<uint8_t> processor = Zeros(0x2A - 4);
    processor[0] = 1, processor[1] = 3, processor[2] = 0xCD, processor[3] = 2;
    std::vector<uint8_t> memory = Zeros(0x17 - 4);
    std::vector<uint8_t> boot = Zeros(0x0B - 4);
    return Joined({
        SmbiosStructure(0, 0x0000, bios, {"TAVIL Computer Corp.", "V1.07", "03/15/2026"}),
        SystemInformation(0x0001, {"TAVIL Computer Corp.", product, "Rev. B", "TN14-0012345"}, 2),
        SmbiosStructure(2, 0x0002, board, {"TAVIL Computer Corp.", "N14MB", "A01", "MB0012345"}),
        SmbiosStructure(3, 0x0003, chassis, {"TAVIL Computer Corp."}),
        SmbiosStructure(4, 0x0004, processor, {"CPU 1", "GenuineIntel", "Intel(R) Core(TM) i5-1235U"}),
        SmbiosStructure(17, 0x0005, memory, {"DIMM A", "BANK 0"}),
        SmbiosStructure(32, 0x0006, boot, {}),
        SmbiosStructure(127, 0xFEFF, {}, {}),
    });
}

// This machine's table and product name as Linux shows them; false when
// they cannot be read (no firmware table, or no permission).
inline bool ReadThisMachinesTable(const std::string& tablePath, const std::string& productPath,
                                  std::vector<uint8_t>& table, std::string& product) {
    std::ifstream tableFile(tablePath, std::ios::binary), productFile(productPath);
    if (!tableFile || !productFile)
        return false;
    table.assign(std::istreambuf_iterator<char>(tableFile), std::istreambuf_iterator<char>());
    std::getline(productFile, product);
    return !table.empty();
}

} // namespace tavil::test
