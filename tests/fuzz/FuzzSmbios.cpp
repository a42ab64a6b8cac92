// Fuzz target: SMBIOS input of any bytes, read both ways the product
// reads it.  The system-information module parses the firmware table; the
// model-name walk gets the DMI driver's replies, here either answered from
// the bytes taken as a structure table (the driver double) or taken
// straight from the bytes, reply after reply, whatever they claim.
#include <cstdint>
#include <cstring>

#include "modules/hwconfig/ConfigReport.h"
#include "tavilcheck/history/SmbiosWalk.h"
#include "tests/SmbiosDriverDouble.h"

namespace {

void ParseAsFirmwareTable(const uint8_t* data, size_t size) {
    tavil::modules::SmbiosFacts facts;
    tavil::modules::ParseSmbios(data, size, facts);
    tavil::modules::MachineFacts machine;
    machine.hasFirmwareTable = true;
    machine.firmware = facts;
    (void)tavil::modules::ConfigReportText(machine);
}

void WalkOverDriverDouble(const uint8_t* data, size_t size) {
    if (size < 2)
        return;
    tavil::test::SmbiosDriverDouble driver(std::vector<uint8_t>(data + 2, data + size));
    driver.busyAnswers = data[0] & 3;
    if (data[1] & 1)
        driver.reportedLargest = data[1];
    (void)tavil::WalkForProductName(driver.exchange());
}

// Each call's reply is the next bytes of the input; the input running out
// is a failed call.
void WalkOverRawReplies(const uint8_t* data, size_t size) {
    size_t at = 0;
    (void)tavil::WalkForProductName([&](const uint8_t*, size_t, uint8_t* reply, size_t replySize) {
        if (size - at < replySize)
            return false;
        std::memcpy(reply, data + at, replySize);
        at += replySize;
        return true;
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    ParseAsFirmwareTable(data + 1, size - 1);
    if (data[0] & 1)
        WalkOverRawReplies(data + 1, size - 1);
    else
        WalkOverDriverDouble(data + 1, size - 1);
    return 0;
}
