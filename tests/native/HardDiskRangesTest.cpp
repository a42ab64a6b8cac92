// The hard-disk test's sector ranges and script arguments: 512- and
// 4096-byte sectors, a disk under 10 GiB, a disk over 2 TiB, and
// geometries without sectors.
#include <gtest/gtest.h>

#include "tavilcheck/runner/HardDiskRanges.h"

using namespace tavil;

TEST(HardDiskRanges, FirstThirtyAndLastTenGibibytesIn64Bits) {
    struct Case {
        DriveGeometry geometry;
        SectorRanges expected;
        const char* what;
    } cases[] = {
        // 500 GB notebook disk: 60801 cylinders of 255 x 63 sectors.
        {{60801, 255, 63, 512}, {62914560, 976768065 - 20971520, 976768065}, "512-byte sectors"},
        {{60801, 255, 63, 4096}, {7864320, 976768065 - 2621440, 976768065}, "4096-byte sectors"},
        {{1000, 255, 63, 512}, {62914560, 16065000 - 20971520, 16065000}, "under 10 GiB: negative start"},
        // 8 TB: 972801 cylinders, past 2^32 sectors.
        {{972801, 255, 63, 512}, {62914560, 15628048065LL - 20971520, 15628048065LL}, "over 2 TiB"},
    };
    for (const Case& c : cases) {
        SectorRanges ranges;
        ASSERT_TRUE(HardDiskRanges(c.geometry, ranges)) << c.what;
        EXPECT_EQ(c.expected.firstEnd, ranges.firstEnd) << c.what;
        EXPECT_EQ(c.expected.secondStart, ranges.secondStart) << c.what;
        EXPECT_EQ(c.expected.end, ranges.end) << c.what;
    }
}

TEST(HardDiskRanges, GeometriesWithoutSectorsHaveNoRanges) {
    const DriveGeometry none[] = {{60801, 255, 63, 0}, {0, 255, 63, 512}, {60801, 0, 63, 512}, {-5, 255, 63, 512}};
    for (const DriveGeometry& geometry : none) {
        SectorRanges ranges;
        EXPECT_FALSE(HardDiskRanges(geometry, ranges)) << geometry.cylinders << " " << geometry.bytesPerSector;
    }
}

TEST(HardDiskRanges, ArgumentsInTheirOrder) {
    SectorRanges ranges{62914560, -4906520, 16065000};
    EXPECT_EQ(" -D0 -D0 -RL0 -RH62914560 -RL-4906520 -RH16065000", HardDiskArguments(DriveOption(0), 0, ranges))
        << "no log: the drive option twice";
    EXPECT_EQ(" C:\\logs\\ -D1 -RL0 -RH62914560 -RL-4906520 -RH16065000", HardDiskArguments(" C:\\logs\\", 1, ranges));
}
