// The merge position in sectors and in whole seconds.
#pragma once

#include <cstdint>

// The single-precision value nearest to 0.0468 (bit pattern 3D3FB15B), widened
// unchanged: with the double nearest to 0.0468, 10000 sectors would show 468.
inline constexpr double SECONDS_PER_SECTOR = static_cast<double>(0.0468f);

std::int32_t SectorsToSeconds(std::uint32_t sectors);
std::int32_t SecondsToSectors(std::uint32_t seconds);
