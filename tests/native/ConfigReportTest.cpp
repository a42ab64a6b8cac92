// The system-information module's reading of the SMBIOS table and the text
// of cfg.log.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "modules/hwconfig/ConfigReport.h"
#include "tests/SmbiosTables.h"

using namespace tavil::modules;

namespace {

// A structure: type, formatted area (after the 4-byte header) and strings.
std::vector<uint8_t> Structure(uint8_t type, std::vector<uint8_t> formatted, std::vector<std::string> strings) {
    return tavil::test::SmbiosStructure(type, 0x0100, formatted, strings);
}

// The table as GetSystemFirmwareTable('RSMB') gives it.
std::vector<uint8_t> Table(const std::vector<std::vector<uint8_t>>& structures) {
    std::vector<uint8_t> body = tavil::test::Joined(structures);
    uint32_t length = static_cast<uint32_t>(body.size());
    std::vector<uint8_t> table = {
        0, 3, 4, 0, uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16), uint8_t(length >> 24)};
    table.insert(table.end(), body.begin(), body.end());
    return table;
}

std::vector<uint8_t> Bios() { return Structure(0, {1, 2, 0, 0, 3}, {"TAVIL Firmware", "1.07", "03/15/2026"}); }
std::vector<uint8_t> System() { return Structure(1, {1, 2, 3, 0}, {"TAVIL", "TAVIL N14 Pro", "Rev. B"}); }

} // namespace

TEST(Smbios, ReadsBiosAndSystemStructures) {
    std::vector<uint8_t> table =
        Table({Structure(4, {0, 0, 0}, {}), Bios(), Structure(3, {1}, {"chassis"}), System(), Structure(127, {}, {})});
    SmbiosFacts facts;
    ASSERT_TRUE(ParseSmbios(table.data(), table.size(), facts));
    EXPECT_EQ("TAVIL Firmware", facts.biosVendor);
    EXPECT_EQ("1.07", facts.biosVersion);
    EXPECT_EQ("03/15/2026", facts.biosDate);
    EXPECT_EQ("TAVIL", facts.systemManufacturer);
    EXPECT_EQ("TAVIL N14 Pro", facts.systemProduct);
    EXPECT_EQ("Rev. B", facts.systemVersion);
}

TEST(Smbios, MalformedTablesKeepWhatWasReadAndNeverReadPastTheEnd) {
    std::vector<uint8_t> bios = Bios(), system = System();
    std::vector<uint8_t> full = Table({bios, system});
    struct Case {
        const char* what;
        std::vector<uint8_t> table;
        bool found;
        std::string product;
    } cases[] = {
        {"empty", {}, false, ""},
        {"header only", Table({}), false, ""},
        {"second structure cut short", std::vector<uint8_t>(full.begin(), full.end() - 3), true, ""},
        {"length beyond the data",
         [&] {
             auto t = full;
             t[4] = 0xFF;
             t[5] = 0xFF;
             return t;
         }(),
         true, "TAVIL N14 Pro"},
        {"formatted length below 4", Table({Structure(1, {}, {}), system}), false, ""},
        {"string number past the set", Table({Structure(1, {1, 9, 0, 0}, {"TAVIL"})}), true, ""},
        {"formatted area shorter than the field", Table({Structure(1, {}, {"x"})}), true, ""},
    };
    cases[4].table[9] = 2; // formatted length 2
    for (const Case& c : cases) {
        SmbiosFacts facts;
        EXPECT_EQ(c.found, ParseSmbios(c.table.data(), c.table.size(), facts)) << c.what;
        EXPECT_EQ(c.product, facts.systemProduct) << c.what;
    }
}

TEST(ConfigReport, ListsEveryFactOnItsOwnLine) {
    MachineFacts facts;
    facts.operatingSystem = "Windows 10 Pro 10.0 build 19045";
    facts.computerName = "SERVICE-7";
    facts.processorBrand = "Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz";
    facts.processorCount = 8;
    facts.totalMemory = 8ull << 30;
    facts.availableMemory = 5ull << 30;
    facts.drives = {{"C:\\", "Fixed", true, "NTFS", 256ull << 30, 100ull << 30},
                    {"E:\\", "Removable", false, "", 0, 0}};
    facts.displayAdapters = {"Intel(R) UHD Graphics 620"};
    facts.hasFirmwareTable = true;
    facts.firmware = {"TAVIL Firmware", "1.07", "03/15/2026", "TAVIL", "TAVIL N14 Pro", ""};
    EXPECT_EQ("Operating system      : Windows 10 Pro 10.0 build 19045\n"
              "Computer name         : SERVICE-7\n"
              "Processor             : Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz\n"
              "Logical processors    : 8\n"
              "Memory                : 8192 MB (5120 MB free)\n"
              "Fixed drive C:\\       : NTFS, 262144 MB (102400 MB free)\n"
              "Removable drive E:\\   : no medium or not readable\n"
              "Display adapter       : Intel(R) UHD Graphics 620\n"
              "System manufacturer   : TAVIL\n"
              "System product        : TAVIL N14 Pro\n"
              "System version        : (unknown)\n"
              "BIOS vendor           : TAVIL Firmware\n"
              "BIOS version          : 1.07\n"
              "BIOS date             : 03/15/2026\n",
              ConfigReportText(facts));
}

TEST(ConfigReport, MissingFactsAreSaidSo) {
    std::string text = ConfigReportText(MachineFacts{});
    for (const char* line : {"Computer name         : (unknown)\n", "Drives                : none found\n",
                             "Display adapter       : none found\n", "Firmware (SMBIOS)     : not available\n"})
        EXPECT_NE(std::string::npos, text.find(line)) << line;
}
