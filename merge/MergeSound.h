// The merge: writes a whole sound file into a program file at a sector position.
#pragma once

#include <cstdint>
#include <functional>

#include "resource.h"

inline constexpr std::int64_t SECTOR_SIZE = 512;

// Called exactly once per merge with the outcome's message identifier, while
// every file and buffer the merge acquired is still held.
using ReportAction = std::function<void(unsigned id)>;

// Paths are zero-terminated UTF-8; an empty path is one whose first byte is 0.
// Returns the identifier that was reported.
unsigned MergeSound(const char* programPath, const char* soundPath, std::int32_t sector,
                    const ReportAction& report);
