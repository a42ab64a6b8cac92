// Fuzz target: a firmware SMBIOS table of any bytes.
#include <cstdint>

#include "modules/hwconfig/ConfigReport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    tavil::modules::SmbiosFacts facts;
    tavil::modules::ParseSmbios(data, size, facts);
    tavil::modules::MachineFacts machine;
    machine.hasFirmwareTable = true;
    machine.firmware = facts;
    (void)tavil::modules::ConfigReportText(machine);
    return 0;
}
