// Builds small .res images for tests: the opening empty entry, then one entry
// per resource, each addressed by ordinal type and name.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tarvix::res::test {

struct RawResource {
    std::uint16_t type = 0;
    std::uint16_t name = 0;
    std::uint16_t language = 0x0411;
    std::vector<std::uint8_t> data;
    // Zero bytes added to the header: a size that is not a multiple of four
    // puts the data at an odd offset.
    std::uint32_t headerPadding = 0;
};

inline void PutU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    PutU16(out, static_cast<std::uint16_t>(v));
    PutU16(out, static_cast<std::uint16_t>(v >> 16));
}

inline void PutEntry(std::vector<std::uint8_t>& out, const RawResource& r) {
    PutU32(out, static_cast<std::uint32_t>(r.data.size()));
    PutU32(out, 32 + r.headerPadding);
    PutU16(out, 0xFFFF);
    PutU16(out, r.type);
    PutU16(out, 0xFFFF);
    PutU16(out, r.name);
    PutU32(out, 0);  // data version
    PutU16(out, 0x1030);
    PutU16(out, r.language);
    PutU32(out, 0);  // version
    PutU32(out, 0);  // characteristics
    out.insert(out.end(), r.headerPadding, 0);
    out.insert(out.end(), r.data.begin(), r.data.end());
    while (out.size() % 4 != 0) {
        out.push_back(0);
    }
}

inline std::vector<std::uint8_t> BuildResImage(const std::vector<RawResource>& resources) {
    std::vector<std::uint8_t> out;
    PutEntry(out, RawResource{});
    for (const auto& r : resources) {
        PutEntry(out, r);
    }
    return out;
}

inline std::vector<std::uint8_t> Bytes(std::span<const std::uint8_t> s) {
    return std::vector<std::uint8_t>(s.begin(), s.end());
}

}  // namespace tarvix::res::test
