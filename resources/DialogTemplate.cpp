// Dialog templates, extended (DIALOGEX) and classic (DIALOG).
#include "ByteReader.h"
#include "Resources.h"

namespace tarvix::res {

namespace {

constexpr std::uint32_t kDsSetFont = 0x40;

// A missing menu or class is stored as a lone 0x0000; callers see ordinal 0.
NameOrOrdinal NoneAsOrdinalZero(NameOrOrdinal n) {
    if (!n.isOrdinal && n.text.empty()) {
        n.isOrdinal = true;
        n.ordinal = 0;
    }
    return n;
}

void ReadControlTail(ByteReader& r, DialogControl& c) {
    c.windowClass = r.SzOrOrd();
    c.title = r.SzOrOrd();
    const std::uint16_t extra = r.U16();
    const auto data = r.Bytes(extra);
    c.creationData.assign(data.begin(), data.end());
}

}  // namespace

std::optional<DialogTemplate> LoadDialog(const Module& m, std::uint16_t id) {
    const auto data = m.Find(kTypeDialog, id);
    if (!data) {
        return std::nullopt;
    }
    ByteReader r(*data);
    DialogTemplate d;
    const std::uint16_t version = r.U16();
    const std::uint16_t signature = r.U16();
    d.extended = version == 1 && signature == 0xFFFF;
    std::uint16_t count = 0;
    if (d.extended) {
        d.helpId = r.U32();
        d.exStyle = r.U32();
        d.style = r.U32();
    } else {
        r.Seek(0);
        d.style = r.U32();
        d.exStyle = r.U32();
    }
    count = r.U16();
    d.x = r.I16();
    d.y = r.I16();
    d.cx = r.I16();
    d.cy = r.I16();
    d.menu = NoneAsOrdinalZero(r.SzOrOrd());
    d.windowClass = NoneAsOrdinalZero(r.SzOrOrd());
    d.caption = r.Sz();
    if (d.style & kDsSetFont) {
        d.pointSize = r.U16();
        if (d.extended) {
            d.weight = r.U16();
            d.italic = r.U8() != 0;
            d.charset = r.U8();
        }
        d.typeface = r.Sz();
    }
    for (std::uint16_t i = 0; i < count && r.ok(); ++i) {
        r.AlignTo4();
        DialogControl c;
        if (d.extended) {
            c.helpId = r.U32();
            c.exStyle = r.U32();
            c.style = r.U32();
        } else {
            c.style = r.U32();
            c.exStyle = r.U32();
        }
        c.x = r.I16();
        c.y = r.I16();
        c.cx = r.I16();
        c.cy = r.I16();
        // Classic templates hold a 16-bit identifier; 0xFFFF there is -1 as well.
        c.id = d.extended ? static_cast<std::int32_t>(r.U32()) : r.I16();
        ReadControlTail(r, c);
        d.controls.push_back(std::move(c));
    }
    if (!r.ok()) {
        return std::nullopt;
    }
    return d;
}

}  // namespace tarvix::res
