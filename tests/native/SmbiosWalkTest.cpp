// The model-name walk over the DMI driver's answers: a notebook's table,
// this machine's own table when readable, busy answers, failures, and
// answers that lie about strings, lengths and handles.
#include <gtest/gtest.h>

#include "tests/SmbiosTables.h"

using namespace tavil;
using namespace tavil::test;

namespace {

std::string Walk(SmbiosDriverDouble& driver) { return WalkForProductName(driver.exchange()); }

// A driver that reports `count` structures of at most `largest` bytes and
// answers every structure request with `structure` (as far as it fits),
// next handle 0xFFFF.
DmiExchange Scripted(uint16_t count, uint16_t largest, std::vector<uint8_t> structure) {
    return [=](const uint8_t* request, size_t, uint8_t* reply, size_t replySize) {
        if (request[0] == kDmiTableInformation) {
            reply[2] = static_cast<uint8_t>(count), reply[4] = static_cast<uint8_t>(largest);
            reply[5] = static_cast<uint8_t>(largest >> 8);
            return true;
        }
        reply[1] = reply[2] = 0xFF;
        std::copy_n(structure.begin(), std::min(structure.size(), replySize - 3), reply + 3);
        return true;
    };
}

} // namespace

TEST(SmbiosWalk, NotebookTableGivesTheProductNameAndWalksEveryStructureOnce) {
    SmbiosDriverDouble driver(NotebookTable());
    EXPECT_EQ("TAVIL N14 Pro", Walk(driver));
    // Handle 0 first, then each next handle, until the end of the table.
    EXPECT_EQ((std::vector<uint16_t>{0, 1, 2, 3, 4, 5, 6, 0xFEFF}), driver.askedHandles);
}

TEST(SmbiosWalk, ThisMachinesTableGivesTheNameLinuxShows) {
    std::vector<uint8_t> table;
    std::string product;
    if (!ReadThisMachinesTable("/sys/firmware/dmi/tables/DMI", "/sys/class/dmi/id/product_name", table, product))
        GTEST_SKIP() << "this machine's SMBIOS table cannot be read";
    SmbiosDriverDouble driver(table);
    EXPECT_EQ(product.substr(0, kMaxModelNameLength), Walk(driver));
}

TEST(SmbiosWalk, ProductStringNumbersThatNameNoString) {
    struct Case {
        uint8_t number;
        const char* why;
    } cases[] = {{0, "number 0 names no string"}, {5, "past the four strings"}, {255, "far past the set"}};
    for (const Case& c : cases) {
        SmbiosDriverDouble driver(
            Joined({SystemInformation(0, {"M", "P", "V", "S"}, c.number), SmbiosStructure(127, 1, {}, {})}));
        EXPECT_EQ("", Walk(driver)) << c.why;
    }
}

TEST(SmbiosWalk, BusyAnswersAreAskedAgainAndCountAgainstTheLimit) {
    // Each structure answered busy once: the first four requests reach the
    // System Information structure.
    SmbiosDriverDouble once(NotebookTable());
    once.busyAnswers = 1;
    EXPECT_EQ("TAVIL N14 Pro", Walk(once));
    EXPECT_EQ((std::vector<uint16_t>{0, 0, 1, 1, 2, 2, 3, 3}), once.askedHandles) << "8 requests for 8 structures";

    // Busy for ever: the walk ends after as many requests as structures.
    SmbiosDriverDouble always(NotebookTable());
    always.busyAnswers = 1000;
    EXPECT_EQ("", Walk(always));
    EXPECT_EQ(always.structureCount(), always.askedHandles.size());
}

TEST(SmbiosWalk, FailuresGiveAnEmptyName) {
    struct Case {
        int failingCall, statusCall, status;
        const char* why;
    } cases[] = {
        {0, -1, 0, "the information request fails"},
        {-1, 0, 1, "the information status is not 0"},
        {3, -1, 0, "a structure request fails after the name was taken"},
        {-1, 4, 0x82, "a structure status other than 0 and 0x83, after the name was taken"},
    };
    for (const Case& c : cases) {
        SmbiosDriverDouble driver(NotebookTable());
        driver.failingCall = c.failingCall;
        driver.statusCall = c.statusCall;
        driver.status = static_cast<uint8_t>(c.status);
        EXPECT_EQ("", Walk(driver)) << c.why;
    }
}

TEST(SmbiosWalk, LyingAnswersNeverReadPastTheReplyOrLoop) {
    // The table says its largest structure is 10 bytes: the System
    // Information structure does not fit the reply buffer.
    SmbiosDriverDouble shortBuffer(NotebookTable());
    shortBuffer.reportedLargest = 10;
    EXPECT_EQ("", Walk(shortBuffer));

    // A formatted-area length past the reply, and a product string with
    // no NUL before the reply's end.
    EXPECT_EQ("P", WalkForProductName(Scripted(1, 40, SystemInformation(0, {"M", "P"}, 2)))) << "the script works";
    std::vector<uint8_t> longFormatted = SystemInformation(0, {"M", "P"}, 2);
    longFormatted[1] = 0xFF;
    EXPECT_EQ("", WalkForProductName(Scripted(1, 40, longFormatted)));
    std::vector<uint8_t> cut = SystemInformation(0, {"M", std::string(60, 'P')}, 2);
    EXPECT_EQ("", WalkForProductName(Scripted(1, static_cast<uint16_t>(cut.size() - 10), cut)));

    // A next handle that leads back: the walk stops at the count.
    SmbiosDriverDouble cycle(NotebookTable());
    cycle.nextHandleOverride = 1; // the System Information structure, again and again
    cycle.reportedCount = 50;
    EXPECT_EQ("TAVIL N14 Pro", Walk(cycle)) << "the name taken stays";
    EXPECT_EQ(50u, cycle.askedHandles.size());

    // No structures at all.
    SmbiosDriverDouble none(NotebookTable());
    none.reportedCount = 0;
    EXPECT_EQ("", Walk(none));
    EXPECT_TRUE(none.askedHandles.empty());
}

TEST(SmbiosWalk, NameIsCutAt127CharactersAndALaterSystemStructureReplacesIt) {
    SmbiosDriverDouble longName(NotebookTable(std::string(200, 'N')));
    EXPECT_EQ(std::string(127, 'N'), Walk(longName));

    SmbiosDriverDouble two(Joined({SystemInformation(0, {"M", "First"}, 2), SystemInformation(1, {"M", "Second"}, 2),
                                   SystemInformation(2, {"M", "Third"}, 0), SmbiosStructure(127, 3, {}, {})}));
    EXPECT_EQ("Second", Walk(two)) << "a later name replaces an earlier one; no string replaces nothing";
}
