// File contents for the merge tests of every platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace testbytes {

using Bytes = std::vector<unsigned char>;

// Distinct, non-repeating-looking bytes, so a shifted or partial copy never matches.
inline Bytes Pattern(std::size_t size, unsigned seed) {
    Bytes bytes(size);
    std::uint32_t x = seed * 2654435761u + 1;
    for (auto& b : bytes) {
        x = x * 1664525u + 1013904223u;
        b = static_cast<unsigned char>(x >> 24);
    }
    return bytes;
}

}  // namespace testbytes
