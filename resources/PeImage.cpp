// The resource section of a PE file (a resource-only DLL), read from its bytes
// and never loaded or run.
#include <algorithm>
#include <functional>

#include "ByteReader.h"
#include "Resources.h"

namespace tarvix::res {

namespace {

constexpr std::uint16_t kPe32 = 0x10B;
constexpr std::uint16_t kPe32Plus = 0x20B;
constexpr std::uint32_t kResourceDirectory = 2;
constexpr std::uint32_t kHighBit = 0x80000000;
// The three directory levels could multiply a small hostile file into billions
// of entries; real language files have a few dozen.
constexpr std::size_t kMaxEntries = 65536;

struct Section {
    std::uint32_t virtualAddress = 0;
    std::uint32_t rawSize = 0;
    std::uint32_t rawOffset = 0;
};

class PeReader {
  public:
    explicit PeReader(std::span<const std::uint8_t> file) : file_(file) {}

    bool ReadHeaders();
    bool ReadResources(std::vector<Module::Entry>& entries);

  private:
    // The file range an RVA maps to, up to the end of its section's stored bytes.
    std::optional<std::span<const std::uint8_t>> Map(std::uint32_t rva) const;
    std::optional<NameOrOrdinal> EntryName(std::uint32_t field) const;
    // The entries of the directory at `offset` in the resource section.
    bool ForEachEntry(std::uint32_t offset, std::uint32_t& count,
                      const std::function<bool(const NameOrOrdinal&, std::uint32_t)>& visit);

    std::span<const std::uint8_t> file_;
    std::vector<Section> sections_;
    std::uint32_t resourceRva_ = 0;
    std::span<const std::uint8_t> rsrc_;
};

bool PeReader::ReadHeaders() {
    ByteReader r(file_);
    if (r.U16() != 0x5A4D) {  // "MZ"
        return false;
    }
    r.Seek(0x3C);
    const std::uint32_t peOffset = r.U32();
    r.Seek(peOffset);
    if (r.U32() != 0x00004550) {  // "PE\0\0"
        return false;
    }
    r.Skip(2);  // machine
    const std::uint16_t sectionCount = r.U16();
    r.Skip(12);  // time stamp, symbol table
    const std::uint16_t optionalSize = r.U16();
    r.Skip(2);  // characteristics
    if (!r.ok()) {
        return false;
    }
    const std::size_t optional = r.pos();
    const std::uint16_t magic = r.U16();
    const std::size_t countAt = magic == kPe32 ? 92 : magic == kPe32Plus ? 108 : 0;
    if (countAt == 0) {
        return false;
    }
    r.Seek(optional + countAt);
    const std::uint32_t directoryCount = r.U32();
    if (directoryCount <= kResourceDirectory ||
        countAt + 4 + (kResourceDirectory + 1) * 8 > optionalSize) {
        return false;
    }
    r.Skip(kResourceDirectory * 8);
    resourceRva_ = r.U32();
    const std::uint32_t resourceSize = r.U32();
    r.Seek(optional + optionalSize);
    for (std::uint16_t i = 0; i < sectionCount && r.ok(); ++i) {
        r.Skip(12);  // name, virtual size
        Section s;
        s.virtualAddress = r.U32();
        s.rawSize = r.U32();
        s.rawOffset = r.U32();
        r.Skip(16);
        sections_.push_back(s);
    }
    if (!r.ok() || resourceRva_ == 0 || resourceSize == 0) {
        return false;
    }
    const auto rsrc = Map(resourceRva_);
    if (!rsrc) {
        return false;
    }
    rsrc_ = rsrc->first(std::min<std::size_t>(rsrc->size(), resourceSize));
    return true;
}

std::optional<std::span<const std::uint8_t>> PeReader::Map(std::uint32_t rva) const {
    for (const Section& s : sections_) {
        if (rva < s.virtualAddress || rva - s.virtualAddress >= s.rawSize) {
            continue;
        }
        const std::size_t offset = std::size_t{s.rawOffset} + (rva - s.virtualAddress);
        const std::size_t end = std::min(std::size_t{s.rawOffset} + s.rawSize, file_.size());
        if (offset >= end) {
            return std::nullopt;
        }
        return file_.subspan(offset, end - offset);
    }
    return std::nullopt;
}

std::optional<NameOrOrdinal> PeReader::EntryName(std::uint32_t field) const {
    NameOrOrdinal n;
    if ((field & kHighBit) == 0) {
        n.isOrdinal = true;
        n.ordinal = static_cast<std::uint16_t>(field);
        return n;
    }
    ByteReader r(rsrc_, field & ~kHighBit);
    const std::uint16_t length = r.U16();
    const auto text = r.Bytes(std::size_t{length} * 2);
    if (!r.ok()) {
        return std::nullopt;
    }
    n.text = Utf16ToUtf8(text);
    return n;
}

bool PeReader::ForEachEntry(std::uint32_t offset, std::uint32_t& count,
                            const std::function<bool(const NameOrOrdinal&, std::uint32_t)>& visit) {
    ByteReader r(rsrc_, offset);
    r.Skip(12);  // characteristics, time stamp, version
    const std::uint32_t entries = std::uint32_t{r.U16()} + r.U16();
    if (!r.ok()) {
        return false;
    }
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::uint32_t nameField = r.U32();
        const std::uint32_t target = r.U32();
        const auto name = EntryName(nameField);
        if (!r.ok() || !name || ++count > kMaxEntries || !visit(*name, target)) {
            return false;
        }
    }
    return true;
}

bool PeReader::ReadResources(std::vector<Module::Entry>& entries) {
    std::uint32_t count = 0;
    // Types, then names, then languages; only the last level holds data.
    auto isDirectory = [](std::uint32_t target) { return (target & kHighBit) != 0; };
    return ForEachEntry(0, count, [&](const NameOrOrdinal& type, std::uint32_t typeTarget) {
        if (!isDirectory(typeTarget)) {
            return true;
        }
        return ForEachEntry(typeTarget & ~kHighBit, count,
                            [&](const NameOrOrdinal& name, std::uint32_t nameTarget) {
                                if (!isDirectory(nameTarget)) {
                                    return true;
                                }
                                return ForEachEntry(
                                    nameTarget & ~kHighBit, count,
                                    [&](const NameOrOrdinal& language, std::uint32_t dataEntry) {
                                        if (isDirectory(dataEntry) || !language.isOrdinal) {
                                            return true;
                                        }
                                        ByteReader d(rsrc_, dataEntry);
                                        const std::uint32_t rva = d.U32();
                                        const std::uint32_t size = d.U32();
                                        const auto data = Map(rva);
                                        if (!d.ok() || !data || size > data->size()) {
                                            return false;
                                        }
                                        const auto offset =
                                            static_cast<std::size_t>(data->data() - file_.data());
                                        entries.push_back(Module::Entry{
                                            type, name, language.ordinal, offset, size});
                                        return true;
                                    });
                            });
    });
}

}  // namespace

std::optional<Module> Module::FromPeImage(std::vector<std::uint8_t> bytes) {
    auto owned = std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
    PeReader pe{std::span<const std::uint8_t>(*owned)};
    Module m;
    if (!pe.ReadHeaders() || !pe.ReadResources(m.entries_)) {
        return std::nullopt;
    }
    m.bytes_ = std::move(owned);
    return m;
}

}  // namespace tarvix::res
