// Runs every loader over every resource of a module, for tests and the fuzzer
// that only care that nothing crashes or reads out of bounds.
#pragma once

#include <cstddef>

#include "Resources.h"

namespace tarvix::res::test {

// Returns how many loads succeeded, so that nothing is optimised away.
inline std::size_t LoadAll(const Module& m) {
    std::size_t found = 0;
    for (const auto& e : m.Entries()) {
        if (!e.type.isOrdinal || !e.name.isOrdinal) {
            continue;
        }
        const std::uint16_t name = e.name.ordinal;
        switch (e.type.ordinal) {
            case kTypeString:
                for (std::uint32_t i = 0; i < 16; ++i) {
                    found += LoadString(m, (name - 1u) * 16u + i).has_value();
                }
                break;
            case kTypeDialog:
                found += LoadDialog(m, name).has_value();
                break;
            case kTypeGroupIcon:
                found += LoadIcon(m, name).has_value();
                break;
            case kTypeVersion:
                found += LoadVersion(m).has_value();
                break;
            default:
                found += m.Data(e).size() == e.size;
                break;
        }
    }
    return found;
}

}  // namespace tarvix::res::test
