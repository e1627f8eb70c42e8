// Module: a set of resources, and the .res image reader.
#include "ByteReader.h"
#include "Resources.h"

namespace tarvix::res {

std::optional<Module> Module::FromResImage(std::vector<std::uint8_t> bytes) {
    auto owned = std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
    const std::span<const std::uint8_t> data(*owned);
    Module m;
    bool first = true;
    std::size_t pos = 0;
    while (pos < data.size()) {
        ByteReader r(data, pos);
        const std::uint32_t dataSize = r.U32();
        const std::uint32_t headerSize = r.U32();
        const NameOrOrdinal type = r.SzOrOrd();
        const NameOrOrdinal name = r.SzOrOrd();
        r.AlignTo4();
        r.Skip(6);  // data version, memory flags
        const std::uint16_t language = r.U16();
        r.Skip(8);  // version, characteristics
        if (!r.ok() || headerSize < r.pos() - pos || headerSize > data.size() - pos ||
            dataSize > data.size() - pos - headerSize) {
            return std::nullopt;
        }
        const std::size_t dataStart = pos + headerSize;
        // A .res image opens with an empty entry of type 0; it is how the format
        // is told apart from other bytes.
        const bool empty = type.isOrdinal && type.ordinal == 0;
        if (first) {
            if (!empty || dataSize != 0) {
                return std::nullopt;
            }
            first = false;
        } else if (!empty) {
            m.entries_.push_back(Entry{type, name, language, dataStart, dataSize});
        }
        if (!AlignUp4(dataStart + dataSize, pos)) {
            return std::nullopt;
        }
    }
    if (first) {
        return std::nullopt;
    }
    m.bytes_ = std::move(owned);
    return m;
}

std::optional<std::span<const std::uint8_t>> Module::Find(std::uint16_t type, std::uint16_t name,
                                                          std::uint16_t language) const {
    const Entry* found = nullptr;
    for (const Entry& e : entries_) {
        if (!e.type.isOrdinal || e.type.ordinal != type || !e.name.isOrdinal ||
            e.name.ordinal != name) {
            continue;
        }
        if (e.language == language) {
            found = &e;
            break;
        }
        if (found == nullptr) {
            found = &e;
        }
    }
    if (found == nullptr) {
        return std::nullopt;
    }
    return Data(*found);
}

std::span<const std::uint8_t> Module::Data(const Entry& e) const {
    if (!bytes_ || e.offset > bytes_->size() || e.size > bytes_->size() - e.offset) {
        return {};
    }
    return std::span<const std::uint8_t>(*bytes_).subspan(e.offset, e.size);
}

}  // namespace tarvix::res
