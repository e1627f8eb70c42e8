// Resource section of a PE file.
#include "ByteReader.h"
#include "Resources.h"

namespace tarvix::res {

std::optional<Module> Module::FromPeImage(std::vector<std::uint8_t> /*bytes*/) {
    return std::nullopt;
}

}  // namespace tarvix::res
