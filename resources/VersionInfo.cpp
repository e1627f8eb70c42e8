// The version block: a tree of length-prefixed nodes, each with a key, a value
// and children, aligned to four bytes.
#include <algorithm>

#include "ByteReader.h"
#include "Resources.h"

namespace tarvix::res {

namespace {

constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;
constexpr std::size_t kFixedSize = 52;

struct Node {
    std::string key;
    bool text = false;
    std::span<const std::uint8_t> value;
    std::size_t childrenBegin = 0;
    std::size_t end = 0;  // of this node, before any padding
};

// The node at `pos`, which must lie within [pos, limit).
std::optional<Node> ReadNode(std::span<const std::uint8_t> data, std::size_t pos,
                             std::size_t limit) {
    ByteReader r(data.first(limit), pos);
    const std::uint16_t length = r.U16();
    const std::uint16_t valueLength = r.U16();
    const std::uint16_t type = r.U16();
    if (!r.ok() || length < 6 || length > limit - pos) {
        return std::nullopt;
    }
    Node n;
    n.end = pos + length;
    ByteReader in(data.first(n.end), r.pos());
    n.key = in.Sz();
    if (!in.ok()) {
        return std::nullopt;
    }
    n.text = type == 1;
    // Padding after the key or the value may lie past the end of a node that has
    // no value or no children.
    std::size_t at = 0;
    AlignUp4(in.pos(), at);
    in.Seek(std::min(at, n.end));
    // Text values count UTF-16 units; compilers disagree on whether the count is
    // exact, so a value never reaches past its node.
    const std::size_t bytes = n.text ? std::size_t{valueLength} * 2 : valueLength;
    n.value = in.Bytes(std::min(bytes, in.remaining()));
    AlignUp4(in.pos(), at);
    n.childrenBegin = std::min(at, n.end);
    return n;
}

// Calls `visit` for each child of `parent`; false when one is corrupt.
template <typename Visit>
bool ForEachChild(std::span<const std::uint8_t> data, const Node& parent, Visit visit) {
    std::size_t pos = parent.childrenBegin;
    while (pos < parent.end) {
        const auto child = ReadNode(data, pos, parent.end);
        if (!child || !visit(*child)) {
            return false;
        }
        if (!AlignUp4(child->end, pos)) {
            return false;
        }
    }
    return true;
}

std::string TextValue(const Node& n) {
    std::string s = Utf16ToUtf8(n.value);
    if (const auto nul = s.find('\0'); nul != std::string::npos) {
        s.resize(nul);
    }
    return s;
}

}  // namespace

std::optional<VersionInfo> LoadVersion(const Module& m) {
    const auto found = m.Find(kTypeVersion, 1);
    if (!found) {
        return std::nullopt;
    }
    const auto data = *found;
    const auto root = ReadNode(data, 0, data.size());
    if (!root || root->key != "VS_VERSION_INFO" || root->value.size() < kFixedSize) {
        return std::nullopt;
    }
    VersionInfo v;
    ByteReader f(root->value);
    if (f.U32() != kFixedSignature) {
        return std::nullopt;
    }
    f.U32();  // structure version
    v.fileVersionMS = f.U32();
    v.fileVersionLS = f.U32();
    v.productVersionMS = f.U32();
    v.productVersionLS = f.U32();
    v.flagsMask = f.U32();
    v.flags = f.U32();
    v.os = f.U32();
    v.type = f.U32();
    v.subtype = f.U32();
    v.dateMS = f.U32();
    v.dateLS = f.U32();

    bool haveTable = false;
    const bool ok = ForEachChild(data, *root, [&](const Node& block) {
        if (block.key == "StringFileInfo") {
            return ForEachChild(data, block, [&](const Node& table) {
                if (haveTable) {
                    return true;  // one string table is read: the first
                }
                haveTable = true;
                v.stringTableKey = table.key;
                return ForEachChild(data, table, [&](const Node& s) {
                    v.strings.emplace_back(s.key, TextValue(s));
                    return true;
                });
            });
        }
        if (block.key == "VarFileInfo") {
            return ForEachChild(data, block, [&](const Node& var) {
                if (var.key == "Translation") {
                    ByteReader t(var.value);
                    while (t.remaining() >= 4) {
                        v.translations.push_back(t.U32());
                    }
                }
                return true;
            });
        }
        return true;
    });
    if (!ok) {
        return std::nullopt;
    }
    return v;
}

}  // namespace tarvix::res
