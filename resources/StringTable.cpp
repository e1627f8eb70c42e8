// String resources: blocks of sixteen counted UTF-16 texts.
#include "ByteReader.h"
#include "Resources.h"

namespace tarvix::res {

std::optional<std::string> LoadString(const Module& m, std::uint32_t id) {
    const std::uint32_t block = id / 16 + 1;
    if (block > 0xFFFF) {
        return std::nullopt;
    }
    const auto data = m.Find(kTypeString, static_cast<std::uint16_t>(block));
    if (!data) {
        return std::nullopt;
    }
    // The whole block must be readable: a cut or corrupt block holds no strings.
    ByteReader r(*data);
    std::span<const std::uint8_t> wanted;
    for (std::uint32_t i = 0; i < 16; ++i) {
        const std::uint16_t length = r.U16();
        const auto text = r.Bytes(std::size_t{length} * 2);
        if (i == id % 16) {
            wanted = text;
        }
    }
    if (!r.ok() || wanted.empty()) {
        return std::nullopt;
    }
    std::string text = Utf16ToUtf8(wanted);
    // Scripts compiled to zero-terminate their strings store the terminator too.
    if (const auto nul = text.find('\0'); nul != std::string::npos) {
        text.resize(nul);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    return text;
}

}  // namespace tarvix::res
