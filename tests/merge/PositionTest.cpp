#include "Position.h"

#include <bit>
#include <climits>

#include <gtest/gtest.h>

namespace {

TEST(Position, FactorIsTheSinglePrecisionValueWidened) {
    EXPECT_EQ(std::bit_cast<std::uint32_t>(static_cast<float>(SECONDS_PER_SECTOR)), 0x3D3FB15Bu);
    EXPECT_EQ(SECONDS_PER_SECTOR, 12562779.0 / 268435456.0);
}

TEST(Position, SectorsToSeconds) {
    const struct {
        std::uint32_t sectors;
        std::int32_t seconds;
    } cases[] = {
        {0, 0},
        {21, 0},
        {22, 1},
        {2500, 116},
        {10000, 467},
        {10001, 468},
        {2147483647, 100502231},  // the highest sector number
        {4294967295, 201004463},  // -1 read as unsigned
        {4294957296, 201003996},  // -10000 read as unsigned
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SectorsToSeconds(c.sectors), c.seconds) << c.sectors << " sectors";
    }
}

TEST(Position, SecondsToSectors) {
    const struct {
        std::uint32_t seconds;
        std::int32_t sectors;
    } cases[] = {
        {0, 0},
        {1, 21},
        {4, 85},
        {46, 982},
        {117, 2500},
        {467, 9978},
        {468, 10000},
        {100502231, 2147483626},  // the highest that fits
        {100502232, INT32_MIN},   // quotient exactly 2^31
        {2147483648, INT32_MIN},  // the lowest negative entry, read as unsigned
        {4294967295, INT32_MIN},  // -1 read as unsigned
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SecondsToSectors(c.seconds), c.sectors) << c.seconds << " seconds";
    }
}

}  // namespace
