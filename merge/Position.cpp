#include "Position.h"

#include <limits>

std::int32_t SectorsToSeconds(std::uint32_t sectors) {
    // At most 4294967295 x 0.0468 = 201004463 seconds: always fits.
    return static_cast<std::int32_t>(static_cast<double>(sectors) * SECONDS_PER_SECTOR);
}

std::int32_t SecondsToSectors(std::uint32_t seconds) {
    const double sectors = static_cast<double>(seconds) / SECONDS_PER_SECTOR;
    // From 100502232 seconds on (every negative entry included) the sector count does not fit.
    // It then reads as the lowest sector number, as the usual processors' conversion gives it:
    // a negative position that the merge always refuses, so such an entry can never write.
    if (sectors >= 2147483648.0) {
        return std::numeric_limits<std::int32_t>::min();
    }
    return static_cast<std::int32_t>(sectors);
}
